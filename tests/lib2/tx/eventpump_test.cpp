#include <X11/Xatom.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "lib2/tx/TXUtil.h"
#include "lib2/tx/TXWindow.h"
#include "tests/support/XServer.h"

namespace {

struct Handler : TXEventHandler {
  explicit Handler(std::function<void(TXWindow*)> a = nullptr) : action(std::move(a)) {}
  void handleEvent(TXWindow* w, XEvent*) override {
    seen.push_back(w);
    if (action) action(w);
  }
  std::function<void(TXWindow*)> action;
  std::vector<TXWindow*> seen;
};

class TXEventsTest : public testing::Test {
 protected:
  void SetUp() override {
    gwtest::XServer::shared();
    tx::openDisplay(nullptr);
  }
  // A PropertyNotify for w, queued by the server.
  void touch(Window w) {
    long v = 0;
    tx::setProp(w, XA_STRING, XA_CARDINAL, 32, &v, 1);
    XSync(tx::dpy, False);
  }
};

TEST_F(TXEventsTest, HandlersThatDestroyWindowsMidWalkCallNothingFreed) {
  auto* w = new TXWindow(10, 10, nullptr, 0, false);
  Handler own([&](TXWindow*) {});
  Handler destroyer([&](TXWindow* seen) {
    if (seen) delete seen;
  });
  Handler after;
  w->setEventHandler(&own);
  tx::registerAllEventHandler(&destroyer, true);
  tx::registerAllEventHandler(&after, true);
  touch(w->win());
  tx::handleXEvents();
  // The later handler sees the event with the window gone.
  ASSERT_EQ(after.seen.size(), 1u);
  EXPECT_EQ(after.seen[0], nullptr);
  EXPECT_EQ(own.seen.size(), 1u);
  tx::registerAllEventHandler(&destroyer, false);
  tx::registerAllEventHandler(&after, false);
}

TEST_F(TXEventsTest, WindowDestroyedByItsOwnHandlerStopsDispatch) {
  auto* w = new TXWindow(10, 10, nullptr, 0, false);
  Handler self([&](TXWindow* seen) { delete seen; });
  w->setEventHandler(&self);
  touch(w->win());
  touch(w->win());  // the second event finds no window and goes nowhere
  tx::handleXEvents();
  EXPECT_EQ(self.seen.size(), 1u);
}

TEST_F(TXEventsTest, RootHandlersRunInRegistrationOrderAndSkipRemovedOnes) {
  std::vector<int> order;
  Handler third([&](TXWindow*) { order.push_back(3); });
  Handler second([&](TXWindow*) { order.push_back(2); });
  Handler first([&](TXWindow*) {
    order.push_back(1);
    tx::registerRootEventHandler(&second, false, 0);
  });
  for (Handler* h : {&first, &second, &third})
    tx::registerRootEventHandler(h, true, PropertyChangeMask);
  touch(DefaultRootWindow(tx::dpy));
  tx::handleXEvents();
  EXPECT_EQ(order, (std::vector<int>{1, 3}));
  EXPECT_EQ(third.seen, (std::vector<TXWindow*>{nullptr}));
  tx::registerRootEventHandler(&first, false, 0);
  tx::registerRootEventHandler(&third, false, 0);
}

TEST_F(TXEventsTest, EventOfAnUnknownWindowStillReachesTheAllEventHandlers) {
  Window foreign = XCreateSimpleWindow(tx::dpy, DefaultRootWindow(tx::dpy), 0, 0, 5, 5, 0, 0, 0);
  XSelectInput(tx::dpy, foreign, PropertyChangeMask);
  Handler all;
  tx::registerAllEventHandler(&all, true);
  touch(foreign);
  tx::handleXEvents();
  tx::registerAllEventHandler(&all, false);
  EXPECT_EQ(all.seen, (std::vector<TXWindow*>{nullptr}));
}

TEST_F(TXEventsTest, UnmapOrDestroyTakesAWindowOffTheModalList) {
  TXWindow a(10, 10, nullptr, 0, false);
  auto* b = new TXWindow(10, 10, nullptr, 0, false);
  tx::setModalWindow(&a);
  tx::setModalWindow(b);
  tx::setModalWindow(b);
  delete b;
  ASSERT_EQ(tx::modalWindows.size(), 1u);
  a.unmap();
  EXPECT_TRUE(tx::modalWindows.empty());
}

}  // namespace
