#include <X11/Xatom.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXErrorCatcher.h"
#include "lib2/tx/TXEvents.h"
#include "lib2/tx/TXProps.h"
#include "lib2/tx/TXUtil.h"
#include "lib2/tx/TXWindow.h"
#include "tests/support/CaptureLogger.h"
#include "tests/support/XDrive.h"
#include "tests/support/XServer.h"

namespace {

struct Handler : TXEventHandler {
  explicit Handler(std::function<void(TXWindow*)> a = nullptr) : action(std::move(a)) {}
  void handleEvent(TXWindow* w, XEvent* ev) override {
    if (ev->type != PropertyNotify || ev->xproperty.state != PropertyNewValue) return;
    seen.push_back(w);
    if (action) action(w);
  }
  std::function<void(TXWindow*)> action;
  std::vector<TXWindow*> seen;
};

class TXUtilTest : public testing::Test {
 protected:
  void SetUp() override { tx::openDisplay(gwtest::XServer::shared().name().c_str()); }
  // A PropertyNotify for w, queued by the server.
  void touch(Window w) {
    long v = 0;
    tx::setProp(w, XA_STRING, XA_CARDINAL, 32, &v, 1);
    XSync(tx::dpy, False);
  }
};

// Asserts unless the time window selects PropertyNotify.
TEST_F(TXUtilTest, ServerTimeComesFromTheTimeWindow) { EXPECT_NE(tx::getCurrentTime(), 0u); }

// The clipboard asks for the time on every copy; another client that
// destroyed the hidden window asked must not stop the program.
TEST_F(TXUtilTest, ServerTimeOutlivesATimeWindowAnotherClientDestroyed) {
  Time before = tx::getCurrentTime();
  std::vector<Window> hidden;
  for (auto [id, w] : tx::windows)
    if (w->isOverrideRedirect() && !w->isMapped() && w->width() == 1 && w->height() == 1)
      hidden.push_back(id);
  ASSERT_FALSE(hidden.empty());
  for (Window id : hidden) gwtest::destroyFromOutside(id);
  EXPECT_GE(tx::getCurrentTime(), before);
  EXPECT_GE(tx::getCurrentTime(), before);
}

TEST_F(TXUtilTest, ErrorsGoToTheInnermostCatcherOrTheLogNeverFatal) {
  XMapWindow(tx::dpy, 0x7fffff);  // no such window, and no catcher yet
  XSync(tx::dpy, False);
  tx::ErrorCatcher outer(true);
  {
    tx::ErrorCatcher inner(true);
    XMapWindow(tx::dpy, 0x7fffff);
    XSync(tx::dpy, False);
    EXPECT_EQ(inner.errorCode(), BadWindow);
    EXPECT_NE(std::string(inner.errorText()), "");
  }
  EXPECT_EQ(outer.errorCode(), 0);
}

// A request on a window of ours sent before its DestroyNotify was read is the
// other client's doing; one on an id that was never ours is a fault of ours.
TEST_F(TXUtilTest, ErrorOnAWindowAnotherClientDestroyedIsNoErrorOfOurs) {
  gwtest::CaptureLogger logger;
  gwtest::RouteWriter route(plat::LogWriter::getLogWriter("TXUtil"), &logger, 100);
  TXWindow w(10, 10, nullptr, 0, false);
  gwtest::destroyFromOutside(w.win());
  for (Window id : {w.win(), Window(0x7fffff)}) {
    logger.lines.clear();
    XMapWindow(tx::dpy, id);
    XSync(tx::dpy, False);
    ASSERT_EQ(logger.lines.size(), 1u);
    EXPECT_EQ(logger.lines[0].level, id == w.win() ? 30 : 0) << logger.lines[0].text;
  }
}

TEST_F(TXUtilTest, HandlersThatDestroyWindowsMidWalkCallNothingFreed) {
  auto* w = new TXWindow(10, 10, nullptr, 0, false);
  Handler own;
  Handler destroyer([](TXWindow* seen) { delete seen; });
  Handler after;
  w->setEventHandler(&own);
  for (Handler* h : {&destroyer, &after}) tx::registerAllEventHandler(h, true);
  touch(w->win());
  touch(w->win());  // finds the window gone, and still reaches the all-event handlers
  tx::handleXEvents();
  EXPECT_EQ(after.seen, (std::vector<TXWindow*>{nullptr, nullptr}));
  EXPECT_EQ(own.seen.size(), 1u);
  for (Handler* h : {&destroyer, &after}) tx::registerAllEventHandler(h, false);
}

TEST_F(TXUtilTest, RootHandlersRunInRegistrationOrderAndSkipRemovedOnes) {
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
  for (Handler* h : {&first, &third}) tx::registerRootEventHandler(h, false, 0);
}

}  // namespace
