#include <gtest/gtest.h>
// Xlib after gtest: its macro None would rename a gtest type.
#include <X11/Xatom.h>

#include <tuple>
#include <vector>

#include "lib2/tx/TXUtil.h"
#include "lib2/tx/TXWm.h"
#include "tests/support/XServer.h"

namespace {

// A window manager played by a second connection that writes the properties.
class WmTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { tx::openDisplay(gwtest::XServer::shared().name().c_str()); }
  // What the tests leave on the root names no live window manager.
  ~WmTest() override { XCloseDisplay(wm); }
  void set(Window w, Atom property, Atom type, std::vector<long> items) {
    XChangeProperty(wm, w, property, type, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(items.data()), int(items.size()));
    XSync(wm, False);
  }

  Display* wm = XOpenDisplay(nullptr);
  Window root = DefaultRootWindow(wm);
};

TEST_F(WmTest, OnlyALiveCheckWindowNamingItselfIsAWindowManager) {
  set(root, tx::xa_NET_SUPPORTED(), XA_ATOM, {long(tx::xa_NET_WM_STATE())});
  for (auto [namesItself, destroyed, isWm] :
       {std::tuple{true, false, true}, {false, false, false}, {true, true, false}}) {
    Window check = XCreateSimpleWindow(wm, root, 0, 0, 1, 1, 0, 0, 0);
    set(check, tx::xa_NET_SUPPORTING_WM_CHECK(), XA_WINDOW, {long(namesItself ? check : root)});
    set(root, tx::xa_NET_SUPPORTING_WM_CHECK(), XA_WINDOW, {long(check)});
    if (destroyed) XDestroyWindow(wm, check);
    XSync(wm, False);
    EXPECT_EQ(tx::getWmWindow(), isWm ? check : 0) << namesItself << destroyed;
    EXPECT_EQ(tx::hasWm(), isWm);
    EXPECT_EQ(tx::queryWmSupport(tx::xa_NET_WM_STATE()), isWm);
  }
  XSelectInput(wm, root, SubstructureRedirectMask);  // one without the EWMH
  XSync(wm, False);
  EXPECT_TRUE(tx::hasWm());
}

}  // namespace
