#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "lib2/fb/Keysyms.h"
#include "tests/support/FakeMui.h"

namespace {

using gwtest::fake;
using gwtest::fakeLeaf;
using mui::MuDialog;
using mui::MuElement;

constexpr unsigned kReturn = fb::keysym::Return, kEscape = fb::keysym::Escape,
                   kKeypadEnter = fb::keysym::KP_Enter;

struct Clicks : mui::MuObserver {
  void elementEvent(MuElement* source, int code) override {
    heard +=
        std::string(source->getId() ? source->getId() : "?") + ":" + std::to_string(code) + " ";
  }
  std::string heard;
};

class MuDialogTest : public ::testing::Test {
 protected:
  std::unique_ptr<MuDialog> make(int flags, plat::Point size = {300, 200}) {
    std::unique_ptr<MuDialog> d(mui::muDialog("dlg", "T", size, flags, nullptr, nullptr));
    d->setInset(8);
    d->registerObserver(&clicks, true);
    return d;
  }
  // Panels with the given minimum heights: a top 30, a main that needs 50
  // (at any width) and a bottom 40.
  void addPanels(MuDialog* d) {
    top = fakeLeaf(d, "top", 0, 30);
    main = fakeLeaf(d, "main", 0, 50);
    bottom = fakeLeaf(d, "bottom", 0, 40);
    d->setPanelType(top, MuDialog::Top);
    d->setPanelType(bottom, MuDialog::Bottom);
  }

  gwtest::FakeMui backEnd;
  Clicks clicks;
  MuElement* top = nullptr;
  MuElement* main = nullptr;
  MuElement* bottom = nullptr;
};

TEST_F(MuDialogTest, BandsTakeTheEdgesAndTheMainPanelTheRestInset) {
  auto d = make(0);
  addPanels(d.get());
  d->layoutChildren();
  EXPECT_EQ(fake(top).pos, plat::Point(0, 0));
  EXPECT_EQ(fake(top).size, plat::Point(300, 30));
  EXPECT_EQ(fake(bottom).pos, plat::Point(0, 160));
  EXPECT_EQ(fake(main).pos, plat::Point(8, 38));
  EXPECT_EQ(fake(main).size, plat::Point(284, 114));
}

TEST_F(MuDialogTest, AHiddenBandTakesNoSpace) {
  auto d = make(0);
  addPanels(d.get());
  bottom->show(false);
  d->layoutChildren();
  EXPECT_EQ(fake(main).size, plat::Point(284, 200 - 38 - 8));
}

TEST_F(MuDialogTest, HeightFitting) {
  struct Row {
    const char* name;
    int flags;
    int height;
  } rows[] = {
      {"no fitting", 0, 200},
      {"fixed size keeps the main height", MuDialog::FixedSize, 30 + 40 + 120},
      {"fit height asks the main panel", MuDialog::FitHeight, 30 + 40 + 50 + 16},
  };
  for (const Row& r : rows) {
    auto d = make(r.flags, {300, 120});
    d->setSize({300, 200});
    addPanels(d.get());
    d->update();
    EXPECT_EQ(d->getSize().y, r.height) << r.name;
  }
}

TEST_F(MuDialogTest, OverlappingMainPanelsCountOnceWhenFitting) {
  auto d = make(MuDialog::FitHeight);
  fakeLeaf(d.get(), "a", 0, 50);
  fakeLeaf(d.get(), "b", 0, 70);
  d->update();
  EXPECT_EQ(d->getSize().y, 70 + 16);
}

TEST_F(MuDialogTest, ActionKeysClickTheirButtonsWhileUsable) {
  auto d = make(0);
  MuElement* ok = fakeLeaf(d.get(), "ok");
  MuElement* cancel = fakeLeaf(d.get(), "cancel");
  d->setActionKeyButton(mui::ActionKeyReturn, ok);
  d->setActionKeyButton(mui::ActionKeyEscape, cancel);
  EXPECT_TRUE(d->handleActionKeysym(kKeypadEnter));
  EXPECT_TRUE(d->handleActionKeysym(kEscape));
  EXPECT_FALSE(d->handleActionKeysym('a'));
  cancel->enable(false);
  EXPECT_FALSE(d->handleActionKeysym(kEscape));
  ok->lock(true);
  EXPECT_FALSE(d->handleActionKeysym(kReturn));
  EXPECT_EQ(clicks.heard, "ok:1 cancel:1 ");
}

struct Swallow : mui::ActionKeyCallback {
  bool handleActionKey(mui::ActionKey key, MuDialog*) override {
    return key == mui::ActionKeyEscape;
  }
};

TEST_F(MuDialogTest, AnActionKeyCallbackThatHandlesTheKeyKeepsTheButtonUnclicked) {
  auto d = make(0);
  Swallow swallow;
  d->setActionKeyCallback(&swallow);
  d->setActionKeyButton(mui::ActionKeyEscape, fakeLeaf(d.get(), "cancel"));
  EXPECT_TRUE(d->handleActionKeysym(kEscape));
  EXPECT_EQ(clicks.heard, "");
}

TEST_F(MuDialogTest, AnActionKeyWhoseButtonWasDestroyedIsNotHandled) {
  auto d = make(0);
  mui::MuLayout* bar = mui::muLayout(d.get(), "bar", mui::MuLayout::Horizontal);
  MuElement* ok = fakeLeaf(bar, "ok");
  d->setActionKeyButton(mui::ActionKeyReturn, ok);
  bar->removeChild(ok);
  EXPECT_FALSE(d->handleActionKeysym(kReturn));
  EXPECT_EQ(clicks.heard, "");
}

TEST_F(MuDialogTest, CloseReportsThenHidesUnlessRefused) {
  auto refusing = make(MuDialog::DisableClose);
  EXPECT_FALSE(refusing->close());
  EXPECT_EQ(clicks.heard, "");
  auto d = make(0);
  EXPECT_TRUE(d->close());
  EXPECT_EQ(clicks.heard, "dlg:3 ");
  EXPECT_FALSE(d->isShown());
}

struct DeleteOnClose : mui::MuObserver {
  void dialogClosed(MuDialog*) override { owner->reset(); }
  std::unique_ptr<MuDialog>* owner;
};

TEST_F(MuDialogTest, AnObserverMayDestroyTheDialogItHearsClose) {
  auto d = make(0);
  DeleteOnClose deleter;
  deleter.owner = &d;
  d->registerObserver(&deleter, true);
  EXPECT_TRUE(d->close());
  EXPECT_EQ(d, nullptr);
}

TEST_F(MuDialogTest, NegativeIndicesCountFromTheEnd) {
  auto d = make(0);
  addPanels(d.get());
  EXPECT_EQ(d->lookup(-1), bottom);
  EXPECT_EQ(d->lookup(0), top);
  EXPECT_EQ(d->lookup(3), nullptr);
  EXPECT_EQ(d->lookup(-4), nullptr);
}

TEST_F(MuDialogTest, RemovingAnElementThatIsNoPanelStopsTheProgram) {
  auto d = make(0);
  mui::MuLayout* l = mui::muLayout(d.get(), "l", mui::MuLayout::Vertical);
  MuElement* nested = fakeLeaf(l, "nested");
  EXPECT_DEATH(d->childRemoved(nested), "Assertion 'i != panels.end\\(\\)' failed");
  EXPECT_DEATH(d->setPanelType(nested, MuDialog::Top), "Assertion 'i != panels.end\\(\\)' failed");
}

}  // namespace
