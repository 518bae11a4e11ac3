#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/FakeMui.h"

namespace {

using gwtest::fake;
using gwtest::fakeLeaf;
using mui::MuElement;
using mui::MuLayout;

// Records every event it hears, as "<name>:<source id>:<code>".
struct Recorder : mui::MuObserver {
  Recorder(std::vector<std::string>* into, const char* who) : log(into), name(who) {}
  void elementEvent(MuElement* source, int code) override {
    log->push_back(name + ":" + source->getId() + ":" + std::to_string(code));
    MuObserver::elementEvent(source, code);
  }
  std::vector<std::string>* log;
  std::string name;
};

class MuElementTest : public ::testing::Test {
 protected:
  gwtest::FakeMui backEnd;
  std::unique_ptr<mui::MuDialog> dialog{
      mui::muDialog("dlg", "Title", {300, 200}, 0, nullptr, nullptr)};
  MuLayout* outer = mui::muLayout(dialog.get(), "outer", MuLayout::Vertical);
  MuLayout* inner = mui::muLayout(outer, "inner", MuLayout::Horizontal);
  MuElement* button = fakeLeaf(inner, "ok");
  std::vector<std::string> log;
};

TEST_F(MuElementTest, EventsBubbleFromTheSourceToTheDialogInOrder) {
  Recorder onDialog(&log, "dialog"), onButton(&log, "button"), onInner(&log, "inner");
  dialog->registerObserver(&onDialog, true);
  inner->registerObserver(&onInner, true);
  button->registerObserver(&onButton, true);
  button->dispatchEvent(button, mui::MuEventClicked);
  EXPECT_EQ(log, (std::vector<std::string>{"button:ok:1", "inner:ok:1", "dialog:ok:1"}));
}

TEST_F(MuElementTest, AnObserverRegisteredTwiceHearsTwiceAndOneRemovalTakesBoth) {
  Recorder o(&log, "o");
  button->registerObserver(&o, true);
  button->registerObserver(&o, true);
  button->dispatchEvent(button, mui::MuEventChanged);
  EXPECT_EQ(log.size(), 2u);
  button->registerObserver(&o, false);
  button->dispatchEvent(button, mui::MuEventChanged);
  EXPECT_EQ(log.size(), 2u);
}

// An observer that, on hearing an event, runs an action (unregistering
// someone, destroying the dialog).
struct Acting : Recorder {
  using Recorder::Recorder;
  void elementEvent(MuElement* source, int code) override {
    Recorder::elementEvent(source, code);
    if (action) action();
  }
  std::function<void()> action;
};

TEST_F(MuElementTest, AnObserverUnregisteredDuringDispatchIsNotCalledAfterwards) {
  Acting first(&log, "first");
  Recorder second(&log, "second"), third(&log, "third");
  button->registerObserver(&first, true);
  button->registerObserver(&second, true);
  button->registerObserver(&third, true);
  first.action = [&] {
    button->registerObserver(&first, false);
    button->registerObserver(&second, false);
  };
  button->dispatchEvent(button, mui::MuEventClicked);
  EXPECT_EQ(log, (std::vector<std::string>{"first:ok:1", "third:ok:1"}));
}

TEST_F(MuElementTest, DestroyingTheDialogDuringDispatchEndsTheDispatch) {
  Acting destroyer(&log, "destroyer");
  Recorder later(&log, "later"), onDialog(&log, "dialog");
  button->registerObserver(&destroyer, true);
  button->registerObserver(&later, true);
  dialog->registerObserver(&onDialog, true);
  destroyer.action = [&] { dialog.reset(); };
  button->dispatchEvent(button, mui::MuEventClicked);
  EXPECT_EQ(log, (std::vector<std::string>{"destroyer:ok:1"}));
}

struct Demux : mui::MuObserver {
  void elementClicked(MuElement*) override { calls += "clicked "; }
  void elementChanged(MuElement*) override { calls += "changed "; }
  void dialogClosed(mui::MuDialog* d) override {
    calls += d ? "closed " : "closed-without-dialog ";
  }
  std::string calls;
};

TEST_F(MuElementTest, TheDefaultDemultiplexerHandsOnlyCodesZeroOneAndThree) {
  Demux d;
  for (int code : {0, 1, 2, 3, 4, 99}) d.elementEvent(button, code);
  EXPECT_EQ(d.calls, "changed clicked closed ");
  mui::MuLayout orphan(nullptr, "orphan", MuLayout::Vertical);
  d.elementEvent(&orphan, mui::MuEventClosed);
  EXPECT_EQ(d.calls, "changed clicked closed closed-without-dialog ");
}

TEST_F(MuElementTest, TheBackEndIsUsableOnlyWhenNeitherDisabledNorLocked) {
  struct Step {
    const char* name;
    bool isLock;  // lock(arg), else enable(arg)
    bool arg;
    bool usable;
  } steps[] = {
      {"lock", true, true, false},      {"enable while locked", false, true, false},
      {"disable", false, false, false}, {"unlock while disabled", true, false, false},
      {"enable", false, true, true},
  };
  for (const Step& s : steps) {
    if (s.isLock) {
      button->lock(s.arg);
    } else {
      button->enable(s.arg);
    }
    EXPECT_EQ(fake(button).usable, s.usable) << s.name;
  }
}

TEST_F(MuElementTest, FullIdsLeaveTheDialogOut) {
  EXPECT_TRUE(dialog->getFullId().isNull());
  EXPECT_STREQ(outer->getFullId().get(), "outer");
  EXPECT_STREQ(button->getFullId().get(), "outer.inner.ok");
}

TEST_F(MuElementTest, FocusTellsTheBackEndAndTheDialog) {
  button->focus();
  EXPECT_TRUE(fake(button).focused);
  EXPECT_EQ(static_cast<gwtest::FakeDialog*>(dialog.get())->focusedElement, button);
}

TEST_F(MuElementTest, AbsolutePositionAddsTheParentsUpToAWindowAndStopsWithoutOne) {
  fake(outer).pos = {10, 20};
  fake(inner).pos = {1, 2};
  fake(button).pos = {100, 200};
  fake(dialog.get()).pos = {1000, 2000};
  EXPECT_EQ(button->getAbsolutePos(), plat::Point(1111, 2222));
  MuElement orphan(nullptr, "orphan", nullptr);
  EXPECT_DEATH(orphan.getAbsolutePos(), "Assertion 'parent' failed");
}

TEST_F(MuElementTest, WithoutABackEndElementsAnswerNothing) {
  MuElement bare(nullptr, "bare", "A\\b");
  bare.show(true);
  bare.setSize({5, 5});
  EXPECT_FALSE(bare.isShown());
  EXPECT_EQ(bare.getSize(), plat::Point());
  EXPECT_EQ(bare.getMinWidth(10), 0);
  EXPECT_STREQ(bare.getState().get(),
               "shown 0\nenabled 1\nlocked 0\npos 0,0\nsize 0,0\nlabel A\\\\b\n");
}

}  // namespace
