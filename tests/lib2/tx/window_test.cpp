#include <X11/Xatom.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "lib1/os/AppInfo.h"
#include "lib2/fb/ManagedPixelBuffer.h"
#include "lib2/tx/TXAtoms.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXEvents.h"
#include "lib2/tx/TXProps.h"
#include "lib2/tx/TXUtil.h"
#include "lib2/tx/TXWindow.h"
#include "lib2/tx/TXWindowIcon.h"
#include "tests/lib2/tx/XWait.h"
#include "tests/support/CaptureLogger.h"
#include "tests/support/XDrive.h"
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

// A shown top-level window that counts what it is told of its end.
struct MortalWindow : TXWindow {
  MortalWindow() : TXWindow(100, 100, nullptr, 0, false) {
    toplevel("mortal", nullptr, "Mortal");
    map();
  }
  void destroyNotify() override { destroyNotifies++; }
  int destroyNotifies = 0;
};

class TXWindowTest : public testing::Test {
 protected:
  void SetUp() override { tx::openDisplay(gwtest::XServer::shared().name().c_str()); }
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
  // Another client destroys w; false when w has not heard of it within 5 s.
  bool destroyFromOutside(TXWindow* w) {
    gwtest::destroyFromOutside(w->win());
    return txtest::pumpUntil([&] { return w->isDestroyed(); });
  }
};

TEST_F(TXWindowTest, TopLevelPropertiesReadBackFromAnotherClient) {
  os::setAppInfo("grantwell", "Zem", "zem", loc::msgid_t(), nullptr);
  fb::PixelFormat argb(32, 24, false, true, 255, 255, 255, 16, 8, 0);  // no alpha
  fb::ManagedPixelBuffer small(argb, {16, 16}, nullptr), large(argb, {48, 48}, nullptr);
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

TEST_F(TXWindowTest, IconFromANamedImagePublishesBothSizes) {
  tx::TXWindowIcon icon("grantwell");
  ASSERT_TRUE(icon.isValid());
  const unsigned long* d = TXWindow::defaultIconData.data;
  EXPECT_TRUE(d == icon.data() && TXWindow::defaultIconData.count == tx::TXWindowIcon::kCount);
  EXPECT_EQ(std::vector<unsigned long>({d[0], d[1], d[258], d[259]}),
            std::vector<unsigned long>({16, 16, 48, 48}));
  // A picture, not an empty or see-through square.
  EXPECT_TRUE(std::any_of(d + 2, d + 258, [](unsigned long p) { return p >> 24 == 0xFF; }));
}

// To the modal window ("m") or another, while the modal one holds the pointer
// ("p") or keyboard ("k") grab; the client messages are close requests.
// Without a modal window nothing is filtered.
TEST_F(TXWindowTest, ModalFilterMatrix) {
  TXWindow modal(10, 10, nullptr, 0, false), other(10, 10, nullptr, 0, false);
  Recorder rec;
  other.setEventHandler(&rec);
  modal.setEventHandler(&rec);
  const std::tuple<int, unsigned, std::string, bool> rows[] = {
      {KeyPress, 0, "", false},
      {KeyPress, 0, "m", true},
      {KeyPress, 0, "p", false},
      {KeyRelease, 0, "k", true},
      {ButtonPress, 0, "", false},
      {ButtonRelease, 0, "pk", true},
      {MotionNotify, 0, "", true},
      {MotionNotify, Button1Mask, "", false},
      {MotionNotify, Button5Mask, "p", true},
      {ClientMessage, 0, "", false},
      {ClientMessage, 0, "p", true},
      {ClientMessage, 0, "m", true},
  };
  for (const auto& [type, state, how, delivered] : rows) {
    TXWindow* target = how.find('m') != std::string::npos ? &modal : &other;
    XEvent ev{};
    ev.type = type;
    ev.xany.window = target->win();
    ev.xmotion.state = state;
    if (type == ClientMessage) {
      ev.xclient.message_type = tx::xaWM_PROTOCOLS();
      ev.xclient.data.l[0] = long(tx::xaWM_DELETE_WINDOW());
    }
    TXWindow::grabPointerWin = how.find('p') != std::string::npos ? &modal : nullptr;
    TXWindow::grabKeyboardWin = how.find('k') != std::string::npos ? &modal : nullptr;
    rec.types.clear();
    target->handleXEvent(&ev, &modal);
    target->handleXEvent(&ev, nullptr);
    EXPECT_EQ(rec.types.size(), delivered ? 2u : 1u) << "type " << type << " " << how;
  }
  TXWindow::grabPointerWin = TXWindow::grabKeyboardWin = nullptr;
}

TEST_F(TXWindowTest, QueuedConfigureNotifiesAreCompressed) {
  SizedWindow w;
  w.addEventMask(StructureNotifyMask);
  for (int width : {200, 300, 310}) XResizeWindow(tx::dpy, w.win(), width, width - 50);
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
  EXPECT_TRUE(!TXWindow::grabPointerWin && !TXWindow::grabKeyboardWin);
  EXPECT_TRUE(second.grabPointerAndKeyboard(true, None));
}

TEST_F(TXWindowTest, WindowAnotherClientDestroyedIsUnmappedNotModalAndHoldsNoGrab) {
  MortalWindow w;
  tx::setModalWindow(&w);
  ASSERT_TRUE(w.grabPointerAndKeyboard(true, None));
  ASSERT_TRUE(destroyFromOutside(&w));
  EXPECT_EQ(w.destroyNotifies, 1);
  EXPECT_FALSE(w.isMapped());
  EXPECT_TRUE(tx::modalWindows.empty());
  EXPECT_TRUE(!TXWindow::grabPointerWin && !TXWindow::grabKeyboardWin);
}

// Showing, hiding and the destructor would each fail with BadWindow.
TEST_F(TXWindowTest, WindowAnotherClientDestroyedIsNeverNamedAgain) {
  gwtest::CaptureLogger logger;
  gwtest::RouteWriter route(plat::LogWriter::getLogWriter("TXUtil"), &logger, 100);
  {
    MortalWindow w;
    ASSERT_TRUE(destroyFromOutside(&w));
    w.toplevelShow();
    w.unmap();
    EXPECT_FALSE(w.isMapped());
  }
  XSync(tx::dpy, False);
  EXPECT_TRUE(logger.lines.empty()) << logger.lines.front().text;
}

}  // namespace
