#include <X11/Xatom.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "lib1/os/AppInfo.h"
#include "lib2/fb/ManagedPixelBuffer.h"
#include "lib2/tx/TXUtil.h"
#include "lib2/tx/TXWindow.h"
#include "lib2/tx/TXWindowIcon.h"
#include "tests/support/XServer.h"

namespace {

struct Recorder : TXEventHandler, TXDeleteWindowCallback {
  void handleEvent(TXWindow*, XEvent* ev) override { types.push_back(ev->type); }
  void deleteWindow(TXWindow*) override {}
  std::vector<int> types;
};

struct SizedWindow : TXWindow {
  SizedWindow() : TXWindow(100, 100, nullptr, 0, false) {}
  void configureNotify() override { configures++; }
  void resizeNotify() override { resizes++; }
  int configures = 0, resizes = 0;
};

class TXWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    gwtest::XServer::shared();
    tx::openDisplay(nullptr);
  }
  // What a second client sees of the property: its bytes and item count.
  std::pair<std::string, int> readBack(Window w, Atom property) {
    Display* other = XOpenDisplay(nullptr);
    Atom type;
    int format;
    unsigned long n, after;
    unsigned char* data = nullptr;
    XGetWindowProperty(other, w, property, 0, 65536, False, AnyPropertyType, &type, &format, &n,
                       &after, &data);
    std::string bytes(reinterpret_cast<char*>(data), format == 8 ? n : 0);
    XFree(data);
    XCloseDisplay(other);
    return {bytes, int(n)};
  }
};

TEST_F(TXWindowTest, TopLevelPropertiesReadBackFromAnotherClient) {
  os::setAppInfo("grantwell", "Zem", "zem", loc::msgid_t(), nullptr);
  fb::PixelFormat argb(32, 24, false, true, 255, 255, 255, 16, 8, 0);  // no alpha
  fb::ManagedPixelBuffer small(argb, plat::Point(16, 16), nullptr);
  fb::ManagedPixelBuffer large(argb, plat::Point(48, 48), nullptr);
  auto icon = std::make_unique<tx::TXWindowIcon>(&small, &large);
  TXWindow w(10, 10, nullptr, 0, true);
  Recorder cb;
  const std::string utf8 = "Caf\xc3\xa9 \xe2\x82\xac", latin1 = "Caf\xe9 \x80";
  w.toplevel(utf8.c_str(), &cb, nullptr);
  XSync(tx::dpy, False);
  const std::pair<Atom, std::pair<std::string, int>> rows[] = {
      {XA_WM_NAME, {latin1, 6}},
      {XA_WM_ICON_NAME, {latin1, 6}},  // Latin-1 as well, not UTF-8
      {tx::xa_NET_WM_NAME(), {utf8, 9}},
      {tx::xa_NET_WM_ICON_NAME(), {utf8, 9}},
      {XA_WM_CLASS, {utf8 + std::string("\0zem-grantwell\0", 15), 24}},
      {tx::xaWM_PROTOCOLS(), {"", 2}},
      {tx::xa_NET_WM_ICON(), {"", 2564}},
  };
  for (const auto& [atom, expected] : rows)
    EXPECT_EQ(readBack(w.win(), atom), expected) << tx::getAtomName(atom);
  unsigned int pid = 0;
  EXPECT_TRUE(tx::getU32Prop(w.win(), tx::xa_NET_WM_PID(), XA_CARDINAL, &pid));
  EXPECT_EQ(pid, unsigned(getpid()));
  EXPECT_EQ(icon->data()[2], 0xFF000000ul);  // a format without alpha is made opaque
  icon.reset();
  EXPECT_EQ(TXWindow::defaultIconData.data, nullptr);
}

TEST_F(TXWindowTest, IconThatCannotBeHadIsNotPublished) {
  fb::PixelFormat argb(32, 32, false, true, 255, 255, 255, 16, 8, 0, 24, 255);
  fb::ManagedPixelBuffer small(argb, {16, 16}, nullptr), wrong(argb, {48, 47}, nullptr);
  tx::TXWindowIcon icon(&small, &wrong);
  EXPECT_FALSE(icon.isValid());
  tx::TXWindowIcon named("no-such-image");
  EXPECT_FALSE(named.isValid());
  EXPECT_EQ(TXWindow::defaultIconData.data, nullptr);
}

TEST_F(TXWindowTest, ModalFilterMatrix) {
  TXWindow modal(10, 10, nullptr, 0, false), other(10, 10, nullptr, 0, false);
  Recorder rec;
  other.setEventHandler(&rec);
  modal.setEventHandler(&rec);
  // clang-format off
  struct Row { int type; unsigned state; bool toModal, ptrGrab, kbdGrab, delivered; } rows[] = {
      // clang-format on
      {KeyPress, 0, false, false, false, false},
      {KeyPress, 0, true, false, false, true},
      {KeyPress, 0, false, true, false, false},  // the pointer grab lets no keys through
      {KeyRelease, 0, false, false, true, true},
      {ButtonPress, 0, false, false, false, false},
      {ButtonRelease, 0, false, true, true, true},
      {MotionNotify, 0, false, false, false, true},
      {MotionNotify, Button1Mask, false, false, false, false},
      {MotionNotify, Button5Mask, false, true, false, true},
      {ClientMessage, 0, false, false, false, false},  // a close request
      {ClientMessage, 0, false, true, false, true},
      {ClientMessage, 0, true, false, false, true},
  };
  for (const Row& row : rows) {
    TXWindow* target = row.toModal ? &modal : &other;
    XEvent ev{};
    ev.type = row.type;
    ev.xany.window = target->win();
    ev.xmotion.state = row.state;
    if (row.type == ClientMessage) {
      ev.xclient.message_type = tx::xaWM_PROTOCOLS();
      ev.xclient.data.l[0] = long(tx::xaWM_DELETE_WINDOW());
    }
    TXWindow::grabPointerWin = row.ptrGrab ? &modal : nullptr;
    TXWindow::grabKeyboardWin = row.kbdGrab ? &modal : nullptr;
    rec.types.clear();
    target->handleXEvent(&ev, &modal);
    EXPECT_EQ(rec.types.size(), row.delivered ? 1u : 0u) << "type " << row.type;
    // Without a modal window nothing is filtered.
    rec.types.clear();
    target->handleXEvent(&ev, nullptr);
    EXPECT_EQ(rec.types.size(), 1u) << "type " << row.type;
  }
  TXWindow::grabPointerWin = TXWindow::grabKeyboardWin = nullptr;
}

TEST_F(TXWindowTest, QueuedConfigureNotifiesAreCompressed) {
  SizedWindow w;
  w.addEventMask(StructureNotifyMask);
  XResizeWindow(tx::dpy, w.win(), 200, 150);
  XResizeWindow(tx::dpy, w.win(), 300, 250);
  XResizeWindow(tx::dpy, w.win(), 310, 260);
  XSync(tx::dpy, False);
  tx::handleXEvents();
  EXPECT_EQ(w.configures, 1);
  EXPECT_EQ(w.resizes, 1);
  EXPECT_EQ(w.size(), plat::Point(310, 260));
}

TEST_F(TXWindowTest, DestroyedGrabHolderReleasesItsGrabs) {
  TXWindow parent(50, 50, nullptr, 0, true);
  parent.map();
  auto holder = std::make_unique<TXWindow>(10, 10, &parent, 0, false);
  ASSERT_TRUE(holder->grabPointerAndKeyboard(true, None));
  TXWindow second(10, 10, &parent, 0, false);
  EXPECT_FALSE(second.grabPointer(true, None));  // refused while the first holds it
  holder.reset();
  EXPECT_EQ(TXWindow::grabPointerWin, nullptr);
  EXPECT_EQ(TXWindow::grabKeyboardWin, nullptr);
  EXPECT_TRUE(second.grabPointerAndKeyboard(true, None));
}

}  // namespace
