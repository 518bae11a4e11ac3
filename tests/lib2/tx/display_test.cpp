#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "lib1/plat/Exception.h"
#include "lib2/tx/TXUtil.h"
#include "lib2/tx/TXWindow.h"
#include "tests/support/XServer.h"

namespace {

class TXUtilTest : public testing::Test {
 protected:
  void SetUp() override {
    gwtest::XServer::shared();
    tx::openDisplay(nullptr);
  }
};

// In a child: forget the connection, point DISPLAY at `display` and try
// again; the child ends with status 1 and the error text, as the tool does.
void openFresh(const char* display) {
  tx::dpy = nullptr;
  if (display)
    setenv("DISPLAY", display, 1);
  else
    unsetenv("DISPLAY");
  try {
    tx::openDisplay(nullptr);
  } catch (plat::Exception& e) {
    fprintf(stderr, "%s\n", e.str());
    exit(1);
  }
  exit(0);
}

TEST_F(TXUtilTest, NoDisplayOrARefusingOneIsAnError) {
  EXPECT_EXIT(openFresh(nullptr), testing::ExitedWithCode(1), "unable to open display \"\"");
  // A socket nobody listens on refuses the connection.
  std::string path = "/tmp/.X11-unix/X" + std::to_string(40000 + getpid() % 20000);
  int s = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  snprintf(addr.sun_path, sizeof(addr.sun_path), "%s", path.c_str());
  unlink(path.c_str());
  ASSERT_EQ(bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)), 0);
  std::string display = ":" + path.substr(path.find('X') + 1);
  EXPECT_EXIT(openFresh(display.c_str()), testing::ExitedWithCode(1),
              "unable to open display \"" + display + "\"");
  close(s);
  unlink(path.c_str());
}

TEST_F(TXUtilTest, DisplayNumberIsThatOfTheServer) {
  EXPECT_EQ(tx::getDisplayNum(), atoi(gwtest::XServer::shared().display().c_str() + 1));
}

TEST_F(TXUtilTest, ServerTimeComesFromTheTimeWindow) {
  Time first = tx::getCurrentTime();
  EXPECT_NE(first, 0u);
  EXPECT_GE(tx::getCurrentTime(), first);
}

TEST_F(TXUtilTest, AtomNamesAreCachedAndStable) {
  const char* name = tx::getAtomName(tx::xa_NET_WM_PID());
  EXPECT_STREQ(name, "_NET_WM_PID");
  EXPECT_EQ(tx::getAtomName(tx::xa_NET_WM_PID()), name);
}

TEST_F(TXUtilTest, NestedCatchersRecordOnlyInTheInnermost) {
  tx::ErrorCatcher outer(true);
  {
    tx::ErrorCatcher inner(true);
    XMapWindow(tx::dpy, 0x7fffff);  // no such window
    XSync(tx::dpy, False);
    EXPECT_EQ(inner.errorCode(), BadWindow);
    EXPECT_NE(std::string(inner.errorText()), "");
  }
  EXPECT_EQ(outer.errorCode(), 0);
}

TEST_F(TXUtilTest, UncaughtProtocolErrorIsLoggedNotFatal) {
  XMapWindow(tx::dpy, 0x7fffff);
  XSync(tx::dpy, False);
  EXPECT_NE(tx::getCurrentTime(), 0u);
}

TEST_F(TXUtilTest, CatchersDestroyedOutOfOrderAreFatal) {
  EXPECT_DEATH(
      {
        tx::dpy = XOpenDisplay(nullptr);  // the parent's connection stays untouched
        auto* outer = new tx::ErrorCatcher(false);
        new tx::ErrorCatcher(false);
        delete outer;
      },
      "currentCatcher == this");
}

}  // namespace
