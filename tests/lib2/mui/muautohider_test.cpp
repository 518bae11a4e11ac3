#include "lib2/mui/MuAutoHider.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "lib2/fb/Colour.h"
#include "lib2/mui/MuFactories.h"
#include "tests/support/DrivenClock.h"
#include "tests/support/FakeMui.h"

namespace {

using Edge = ui::AutoHider::Edge;
using gwtest::FakeAutoHider;

// Writes down the notifications as "+" (start) or "-" (end) and the target,
// and which animator sent them.
struct Notes : ui::AutoHider::Callback {
  void autoHiderNotify(bool animating, bool shown, ui::AutoHider* hider) override {
    seen.push_back(std::string(animating ? "+" : "-") + (shown ? "show" : "hide"));
    from = hider;
  }
  std::vector<std::string> seen;
  ui::AutoHider* from = nullptr;
};

struct Heard : mui::MuObserver, mui::ActionKeyCallback, mui::ClickCallback {
  void elementEvent(mui::MuElement* source, int code) override {
    heard +=
        std::string(source->getId() ? source->getId() : "-") + ":" + std::to_string(code) + " ";
  }
  bool handleActionKey(mui::ActionKey, mui::MuDialog*) override { return true; }
  bool handleClick(mui::MuDialog*) override { return true; }
  std::string heard;
};

// An element with neither dialog nor animator.
struct Bare : mui::MuAutoHider {
  Bare() : MuAutoHider(nullptr) {}
  mui::MuDialog* get() override { return nullptr; }
  void attachToParent(TXWindow*) override {}
};

class MuAutoHiderTest : public ::testing::Test {
 protected:
  // A window 100 x 40 docked at the bottom of a 400 x 300 parent, 4 pixels
  // of it left in sight when hidden.
  FakeAutoHider* make(ui::AutoHider::Callback* callback) {
    element.reset(mui::muAutoHider("dock", {100, 40}, ui::AutoHider::kBottom, 4, callback));
    return static_cast<FakeAutoHider*>(element.get());
  }

  gwtest::DrivenClock clock;
  gwtest::FakeMui backEnd;
  std::unique_ptr<mui::MuAutoHider> element;
};

const plat::Point kShownAt(150, 260), kHiddenAt(150, 296);

TEST_F(MuAutoHiderTest, TheFactoryBuildsAnUnattachedWindowWithItsDialog) {
  FakeAutoHider* h = make(nullptr);
  EXPECT_STREQ(h->get()->getId(), "dock");
  EXPECT_EQ(h->get()->getSize(), plat::Point(100, 40));
  EXPECT_EQ(h->get()->getDialogFlags(), 2560);
  EXPECT_EQ(h->get()->getParent(), nullptr);
  EXPECT_EQ(h->parentWin, nullptr);
  EXPECT_EQ(h->getWinPtr(), nullptr) << "a fake dialog has no window";
  EXPECT_TRUE(h->isShown());
}

TEST_F(MuAutoHiderTest, NotificationsReachTheOwnersCallbackUnchanged) {
  for (bool withCallback : {true, false}) {
    SCOPED_TRACE(withCallback ? "with a callback" : "without one");
    Notes notes;
    FakeAutoHider* h = make(withCallback ? &notes : nullptr);
    h->attachToParent(nullptr);
    h->show(false, 0);
    EXPECT_EQ(h->animator.pos, kHiddenAt);
    EXPECT_EQ(notes.seen, withCallback ? (std::vector<std::string>{"+hide", "-hide"})
                                       : std::vector<std::string>{});
    EXPECT_EQ(notes.from, withCallback ? &h->animator : nullptr);
    element.reset();
  }
}

TEST_F(MuAutoHiderTest, SlidesOutAndBackOverTheDefaultTime) {
  Notes notes;
  FakeAutoHider* h = make(&notes);
  h->attachToParent(nullptr);
  EXPECT_EQ(h->animator.pos, kShownAt);
  EXPECT_TRUE(h->get()->isShown());
  h->setDefaultAnimTime(720);
  h->show(false, -1);
  EXPECT_EQ(h->animator.timerPeriod(), 20) << "720 ms over 36 px";
  clock.advance(360);
  EXPECT_GT(h->animator.pos.y, kShownAt.y);
  EXPECT_LT(h->animator.pos.y, kHiddenAt.y);
  clock.advance(400);
  EXPECT_EQ(h->animator.pos, kHiddenAt);
  EXPECT_FALSE(h->isShown());
  h->show(true, 100);
  clock.advance(120);
  EXPECT_EQ(h->animator.pos, kShownAt);
  EXPECT_EQ(notes.seen, (std::vector<std::string>{"+hide", "-hide", "+show", "-show"}));
}

TEST_F(MuAutoHiderTest, LockedItStaysWhereItIsUntilUnlocked) {
  FakeAutoHider* h = make(nullptr);
  h->attachToParent(nullptr);
  h->lock(true);
  h->show(false, 0);
  EXPECT_EQ(h->animator.pos, kShownAt);
  EXPECT_TRUE(h->isShown());
  h->lock(false);
  h->show(false, 0);
  EXPECT_EQ(h->animator.pos, kHiddenAt);
}

TEST_F(MuAutoHiderTest, MarginKeysCallbacksAndObserversReachTheDialog) {
  Heard heard;
  FakeAutoHider* h = make(nullptr);
  mui::MuDialog* d = h->get();
  mui::MuElement* main = gwtest::fakeLeaf(d, "main");
  mui::MuButton* ok = mui::muButton(d, "ok", "OK", mui::MuButton::Text, 0, {});
  h->registerObserver(&heard, true);
  h->setActionKeyButton(mui::ActionKeyReturn, ok);
  EXPECT_TRUE(d->handleActionKey(mui::ActionKeyReturn));
  EXPECT_EQ(heard.heard, "ok:1 ");
  h->setMargin(6);
  h->update();
  EXPECT_EQ(gwtest::fake(main).pos, plat::Point(6, 6)) << "laid out with the new inset";
  h->setActionKeyCallback(&heard);
  EXPECT_TRUE(d->handleActionKey(mui::ActionKeyEscape)) << "the callback takes the key";
  h->setClickCallback(&heard);
  EXPECT_EQ(d->getClickCallback(), &heard);
  h->registerObserver(&heard, false);
  d->close();
  EXPECT_EQ(heard.heard, "ok:1 ") << "unregistered";
}

// The element's own defaults leave an element without a dialog alone.
TEST(MuAutoHider, AnElementWithoutADialogIgnoresWhatConcernsOne) {
  Heard heard;
  Bare bare;
  bare.setBgColour(fb::Colour());
  bare.registerObserver(&heard, true);
  bare.update();
  bare.setMargin(6);
  bare.setActionKeyButton(mui::ActionKeyReturn, nullptr);
  bare.setActionKeyCallback(&heard);
  bare.setClickCallback(&heard);
  EXPECT_EQ(bare.getWinPtr(), nullptr);
}

TEST(MuAutoHider, BrokenInvariantsNameWhatIsMissing) {
  EXPECT_DEATH(mui::muAutoHider("dock", {100, 40}, ui::AutoHider::kTop, 4, nullptr),
               "Assertion 'muAutoHiderFactory' failed");
  Bare bare;
  EXPECT_DEATH(bare.show(true, 0), "the back-end has set no animator");
  EXPECT_DEATH(bare.isShown(), "the back-end has set no animator");
}

}  // namespace
