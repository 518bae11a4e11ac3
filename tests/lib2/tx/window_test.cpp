#include <X11/Xatom.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <string>
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
  void deleteWindow(TXWindow*) override { deletes++; }
  std::vector<int> types;
  int deletes = 0;
};

class SizedWindow : public TXWindow {
 public:
  SizedWindow() : TXWindow(100, 100, nullptr, 0, false) {}
  int configures = 0, resizes = 0;

 protected:
  void configureNotify() override { configures++; }
  void resizeNotify() override { resizes++; }
};

class TXWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    gwtest::XServer::shared();
    tx::openDisplay(nullptr);
  }
  // What a second client sees of the property.
  std::string readBack(Window w, Atom property, int* count = nullptr) {
    Display* other = XOpenDisplay(nullptr);
    Atom type;
    int format;
    unsigned long n, after;
    unsigned char* data = nullptr;
    XGetWindowProperty(other, w, property, 0, 65536, False, AnyPropertyType, &type, &format, &n,
                       &after, &data);
    std::string text = data && format == 8 ? std::string(reinterpret_cast<char*>(data), n) : "";
    if (count) *count = int(n);
    if (data) XFree(data);
    XCloseDisplay(other);
    return text;
  }
};

TEST_F(TXWindowTest, TopLevelPropertiesReadBackFromAnotherClient) {
  os::setAppInfo("grantwell", "Zem", "zem", loc::msgid_t(), nullptr);
  tx::TXWindowIcon* icon = nullptr;
  fb::PixelFormat argb(32, 24, false, true, 255, 255, 255, 16, 8, 0);  // no alpha
  fb::ManagedPixelBuffer small(argb, plat::Point(16, 16), nullptr);
  fb::ManagedPixelBuffer large(argb, plat::Point(48, 48), nullptr);
  icon = new tx::TXWindowIcon(&small, &large);
  TXWindow w(10, 10, nullptr, 0, true);
  Recorder cb;
  w.toplevel("Caf\xc3\xa9 \xe2\x82\xac", &cb, nullptr);
  XSync(tx::dpy, False);

  EXPECT_EQ(readBack(w.win(), XA_WM_NAME), "Caf\xe9 \x80");
  EXPECT_EQ(readBack(w.win(), XA_WM_ICON_NAME), "Caf\xe9 \x80");  // Latin-1, not UTF-8
  EXPECT_EQ(readBack(w.win(), tx::xa_NET_WM_NAME()), "Caf\xc3\xa9 \xe2\x82\xac");
  EXPECT_EQ(readBack(w.win(), tx::xa_NET_WM_ICON_NAME()), "Caf\xc3\xa9 \xe2\x82\xac");
  EXPECT_EQ(readBack(w.win(), XA_WM_CLASS),
            std::string("Caf\xc3\xa9 \xe2\x82\xac\0zem-grantwell\0", 24));
  unsigned int pid = 0;
  ASSERT_TRUE(tx::getU32Prop(w.win(), tx::xa_NET_WM_PID(), XA_CARDINAL, &pid));
  EXPECT_EQ(pid, unsigned(getpid()));
  int protocols = 0, icons = 0;
  readBack(w.win(), tx::xaWM_PROTOCOLS(), &protocols);
  readBack(w.win(), tx::xa_NET_WM_ICON(), &icons);
  EXPECT_EQ(protocols, 2);
  EXPECT_EQ(icons, 2564);
  EXPECT_EQ(icon->data()[2], 0xFF000000ul);  // a format without alpha is made opaque
  delete icon;
  EXPECT_EQ(TXWindow::defaultIconData.data, nullptr);
}

TEST_F(TXWindowTest, IconOfTheWrongSizeIsNotPublished) {
  fb::PixelFormat argb(32, 32, false, true, 255, 255, 255, 16, 8, 0, 24, 255);
  fb::ManagedPixelBuffer small(argb, plat::Point(16, 16), nullptr);
  fb::ManagedPixelBuffer wrong(argb, plat::Point(48, 47), nullptr);
  tx::TXWindowIcon icon(&small, &wrong);
  EXPECT_FALSE(icon.isValid());
  EXPECT_EQ(TXWindow::defaultIconData.data, nullptr);
}

TEST_F(TXWindowTest, MinSizeWithAZeroClearsTheHint) {
  TXWindow w(10, 10, nullptr, 0, false);
  w.setMinSize(20, 100);
  w.setMinSize(0, 100);
  XSizeHints hints;
  long supplied;
  ASSERT_TRUE(XGetWMNormalHints(tx::dpy, w.win(), &hints, &supplied));
  EXPECT_FALSE(hints.flags & PMinSize);
}

TEST_F(TXWindowTest, ModalFilterMatrix) {
  TXWindow modal(10, 10, nullptr, 0, false), other(10, 10, nullptr, 0, false);
  Recorder rec;
  other.setEventHandler(&rec);
  modal.setEventHandler(&rec);
  struct Row {
    int type;
    unsigned state;
    bool toModal, pointerGrab, keyboardGrab, delivered;
  } rows[] = {
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
      ev.xclient.format = 32;
      ev.xclient.data.l[0] = long(tx::xaWM_DELETE_WINDOW());
    }
    TXWindow::grabPointerWin = row.pointerGrab ? &modal : nullptr;
    TXWindow::grabKeyboardWin = row.keyboardGrab ? &modal : nullptr;
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

TEST_F(TXWindowTest, CloseRequestGoesToTheCallbackInsteadOfTheHandler) {
  TXWindow w(10, 10, nullptr, 0, false);
  Recorder rec;
  w.setEventHandler(&rec);
  w.toplevel("w", &rec, "cls");
  XEvent ev{};
  ev.xclient.type = ClientMessage;
  ev.xclient.window = w.win();
  ev.xclient.message_type = tx::xaWM_PROTOCOLS();
  ev.xclient.data.l[0] = long(tx::xaWM_DELETE_WINDOW());
  w.handleXEvent(&ev, nullptr);
  EXPECT_EQ(rec.deletes, 1);
  EXPECT_TRUE(rec.types.empty());
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

TEST_F(TXWindowTest, ResizeToZeroMakesOnePixel) {
  SizedWindow w;
  w.resize(plat::Point(0, 0));
  EXPECT_EQ(w.size(), plat::Point(1, 1));
  EXPECT_EQ(w.resizes, 1);
}

TEST_F(TXWindowTest, DestroyedGrabHolderReleasesItsGrabs) {
  TXWindow parent(50, 50, nullptr, 0, true);
  parent.map();
  auto holder = std::make_unique<TXWindow>(10, 10, &parent, 0, false);
  XSync(tx::dpy, False);
  ASSERT_TRUE(holder->grabPointerAndKeyboard(true, None));
  TXWindow second(10, 10, &parent, 0, false);
  EXPECT_FALSE(second.grabPointer(true, None));  // refused while the first holds it
  holder.reset();
  EXPECT_EQ(TXWindow::grabPointerWin, nullptr);
  EXPECT_EQ(TXWindow::grabKeyboardWin, nullptr);
  EXPECT_TRUE(second.grabPointerAndKeyboard(true, None));
  EXPECT_TRUE(second.grabPointerAndKeyboard(false, None));
}

TEST_F(TXWindowTest, WaitForAnAbsentEventTimesOut) {
  TXWindow w(10, 10, nullptr, 0, false);
  XEvent ev;
  EXPECT_FALSE(w.waitForTypedEvent(ButtonPress, 30, &ev));
}

}  // namespace
