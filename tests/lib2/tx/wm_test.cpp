#include <gtest/gtest.h>
// Xlib after gtest: its macro None would rename a gtest type.
#include <X11/Xatom.h>

#include <vector>

#include "lib2/tx/TXUtil.h"
#include "lib2/tx/TXWindow.h"
#include "lib2/tx/TXWm.h"
#include "tests/support/XServer.h"

namespace {

// A window manager played by a second connection: it writes the root's
// properties and, when asked, redirects the root's substructure.
class WmTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    gwtest::XServer::shared();
    tx::openDisplay(nullptr);
  }
  ~WmTest() override {
    for (const char* name :
         {"_NET_SUPPORTING_WM_CHECK", "_NET_SUPPORTED", "_NET_CURRENT_DESKTOP", "_NET_WORKAREA"})
      XDeleteProperty(wm, root, XInternAtom(wm, name, False));
    XCloseDisplay(wm);
  }
  void set(Window w, Atom property, Atom type, std::vector<long> items) {
    XSync(tx::dpy, False);  // w may be ours, still unknown to the server
    XChangeProperty(wm, w, property, type, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(items.data()), int(items.size()));
    XSync(wm, False);
  }
  // The check window, naming self on itself.
  Window announce(Window self) {
    Window check = XCreateSimpleWindow(wm, root, 0, 0, 1, 1, 0, 0, 0);
    set(check, tx::xa_NET_SUPPORTING_WM_CHECK(), XA_WINDOW, {long(self ? self : check)});
    set(root, tx::xa_NET_SUPPORTING_WM_CHECK(), XA_WINDOW, {long(check)});
    set(root, tx::xa_NET_SUPPORTED(), XA_ATOM, {long(tx::xa_NET_WM_STATE())});
    return check;
  }

  Display* wm = XOpenDisplay(nullptr);
  Window root = DefaultRootWindow(wm);
};

TEST_F(WmTest, CheckWindowNamingItselfIsTheWindowManager) {
  Window check = announce(0);
  EXPECT_EQ(tx::getWmWindow(), check);
  EXPECT_TRUE(tx::hasWm());
  EXPECT_TRUE(tx::queryWmSupport(tx::xa_NET_WM_STATE()));
  EXPECT_FALSE(tx::queryWmSupport(tx::xa_NET_WORKAREA()));
}

TEST_F(WmTest, CheckWindowNamingAnotherSupportsNothing) {
  announce(root);
  EXPECT_EQ(tx::getWmWindow(), 0u);
  EXPECT_FALSE(tx::queryWmSupport(tx::xa_NET_WM_STATE()));
}

TEST_F(WmTest, StaleCheckWindowMeansNoneUnlessTheRootIsRedirected) {
  XDestroyWindow(wm, announce(0));
  XSync(wm, False);
  EXPECT_EQ(tx::getWmWindow(), 0u);
  EXPECT_FALSE(tx::hasWm());
  XSelectInput(wm, root, SubstructureRedirectMask);
  XSync(wm, False);
  EXPECT_TRUE(tx::hasWm());
}

TEST_F(WmTest, StateRequestsReachTheWindowManagerOnlyForMappedWindows) {
  XSelectInput(wm, root, SubstructureRedirectMask);
  XSync(wm, False);
  TXWindow w(10, 10, nullptr, 0, true);
  tx::setWmState(&w, true, tx::xa_NET_WM_STATE_ABOVE(), 0);  // unmapped: nothing
  w.map();
  tx::setWmState(&w, false, tx::xa_NET_WM_STATE_HIDDEN(), tx::xa_NET_WM_STATE_ABOVE());
  XSync(tx::dpy, False);
  XEvent ev;
  do XNextEvent(wm, &ev);
  while (ev.type != ClientMessage);
  EXPECT_EQ(ev.xclient.window, w.win());
  EXPECT_EQ(ev.xclient.data.l[0], 0);
  EXPECT_EQ(Atom(ev.xclient.data.l[1]), tx::xa_NET_WM_STATE_HIDDEN());
  EXPECT_FALSE(XPending(wm));
}

struct WorkAreaCase {
  long desktop;  // -1: no _NET_CURRENT_DESKTOP
  std::vector<long> workArea;
  plat::Rect expected;
};

TEST_F(WmTest, WorkAreaIsTheCurrentDesktopsOrTheWholeScreen) {
  const plat::Rect screen(0, 0, 1024, 768);
  const std::vector<WorkAreaCase> cases = {
      {-1, {}, screen},
      {-1, {0, 20, 1024, 700}, plat::Rect(0, 20, 1024, 720)},
      {1, {0, 0, 1, 1, 10, 30, 500, 400}, plat::Rect(10, 30, 510, 430)},
      {2, {0, 0, 1, 1, 10, 30, 500, 400}, screen},  // 8 items: no third desktop
  };
  for (const WorkAreaCase& c : cases) {
    XDeleteProperty(wm, root, tx::xa_NET_CURRENT_DESKTOP());
    if (c.desktop >= 0) set(root, tx::xa_NET_CURRENT_DESKTOP(), XA_CARDINAL, {c.desktop});
    set(root, tx::xa_NET_WORKAREA(), XA_CARDINAL, c.workArea);
    plat::Rect got = tx::getWorkAreaRect();
    EXPECT_EQ(got, c.expected) << "desktop " << c.desktop << ", items " << c.workArea.size();
  }
}

struct HiddenCase {
  Atom property;  // 0: none
  std::vector<long> items;
  bool known, hidden;
};

TEST_F(WmTest, HiddenStateComesFromNetStateElseWmState) {
  const long iconic = 3, normal = 1;
  const std::vector<HiddenCase> cases = {
      {tx::xa_NET_WM_STATE(), {long(tx::xa_NET_WM_STATE_HIDDEN())}, true, true},
      {tx::xa_NET_WM_STATE(), {}, true, false},
      {tx::xaWM_STATE(), {iconic, 0}, true, true},
      {tx::xaWM_STATE(), {normal, 0}, true, false},
      {0, {}, false, true},  // unknown: the flag keeps its value
  };
  for (const HiddenCase& c : cases) {
    TXWindow w(10, 10, nullptr, 0, false);
    if (c.property)
      set(w.win(), c.property, c.property == tx::xaWM_STATE() ? c.property : XA_ATOM, c.items);
    bool hidden = true;
    EXPECT_EQ(tx::queryWmHiddenState(&w, &hidden), c.known);
    EXPECT_EQ(hidden, c.hidden) << tx::getAtomName(c.property ? c.property : XA_ATOM);
  }
}

}  // namespace
