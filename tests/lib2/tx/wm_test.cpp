#include <gtest/gtest.h>
// Xlib after gtest: its macro None would rename a gtest type.
#include <X11/Xatom.h>

#include <tuple>
#include <vector>

#include "lib2/tx/TXAtoms.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXUtil.h"
#include "lib2/tx/TXWindow.h"
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
    XSync(tx::dpy, False);  // w may be ours, still unknown to the server
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

TEST_F(WmTest, WorkAreaIsTheCurrentDesktopsOrTheWholeScreen) {
  const plat::Rect screen(0, 0, 1024, 768);
  struct Row {
    long desktop;  // -1: no _NET_CURRENT_DESKTOP
    std::vector<long> area;
    plat::Rect expected;
  } rows[] = {{-1, {}, screen},
              {-1, {0, 20, 1024, 700}, plat::Rect(0, 20, 1024, 720)},
              {1, {0, 0, 1, 1, 10, 30, 500, 400}, plat::Rect(10, 30, 510, 430)},
              {2, {0, 0, 1, 1, 10, 30, 500, 400}, screen}};  // no third desktop
  for (const Row& r : rows) {
    XDeleteProperty(wm, root, tx::xa_NET_CURRENT_DESKTOP());
    if (r.desktop >= 0) set(root, tx::xa_NET_CURRENT_DESKTOP(), XA_CARDINAL, {r.desktop});
    set(root, tx::xa_NET_WORKAREA(), XA_CARDINAL, r.area);
    EXPECT_EQ(tx::getWorkAreaRect(), r.expected) << r.desktop << " " << r.area.size();
  }
}

TEST_F(WmTest, HiddenStateComesFromNetStateElseWmState) {
  struct Row {
    Atom property, type;  // 0: none
    std::vector<long> items;
    bool known, hidden;
  } rows[] = {{tx::xa_NET_WM_STATE(), XA_ATOM, {long(tx::xa_NET_WM_STATE_HIDDEN())}, true, true},
              {tx::xa_NET_WM_STATE(), XA_ATOM, {}, true, false},
              {tx::xaWM_STATE(), tx::xaWM_STATE(), {3}, true, true},  // IconicState
              {tx::xaWM_STATE(), tx::xaWM_STATE(), {1}, true, false},
              {0, 0, {}, false, true}};  // unknown: the flag keeps its value
  for (const Row& r : rows) {
    TXWindow w(10, 10, nullptr, 0, false);
    if (r.property) set(w.win(), r.property, r.type, r.items);
    bool hidden = true;
    EXPECT_EQ(tx::queryWmHiddenState(&w, &hidden), r.known) << r.items.size();
    EXPECT_EQ(hidden, r.hidden) << r.items.size();
  }
}

// Before mapping the state goes into the window's own property, where the
// window manager finds it; states already there stay, none twice.
TEST_F(WmTest, AStateAddedBeforeMappingIsWrittenOnTheWindow) {
  TXWindow w(10, 10, nullptr, 0, false);
  Atom above = tx::xa_NET_WM_STATE_ABOVE(), hidden = tx::xa_NET_WM_STATE_HIDDEN();
  set(w.win(), tx::xa_NET_WM_STATE(), XA_ATOM, {long(hidden)});
  tx::addWmState(&w, above);
  tx::addWmState(&w, above);
  XSync(tx::dpy, False);
  Atom type;
  int format;
  unsigned long n, after;
  unsigned char* data = nullptr;
  XGetWindowProperty(wm, w.win(), tx::xa_NET_WM_STATE(), 0, 8, False, XA_ATOM, &type, &format, &n,
                     &after, &data);
  std::vector<long> states;
  if (data) states.assign(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + n);
  if (data) XFree(data);
  EXPECT_EQ(states, (std::vector<long>{long(hidden), long(above)}));
}

}  // namespace
