#include <gtest/gtest.h>
// Xlib after gtest: its macro None would rename a gtest type.
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lib1/os/AppInfo.h"
#include "lib1/plat/TimerManager.h"
#include "lib2/mui/MuFactories.h"
#include "lib2/mui/wvw/MuCommonWvw.h"
#include "lib2/tx/TXAtoms.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXEvents.h"
#include "lib2/tx/TXProps.h"
#include "lib2/tx/TXUtil.h"
#include "lib2/tx/TXWindow.h"
#include "tests/lib2/mui/wvw/ProbeElement.h"
#include "tests/support/DialogGolden.h"
#include "tests/support/DrivenClock.h"
#include "tests/support/WindowManager.h"
#include "tests/support/WvwBackEnd.h"
#include "tests/support/XDrive.h"
#include "tests/support/XServer.h"

namespace {

using gwtest::ProbeElement;
using gwtest::settle;
using gwtest::settleUntil;
using mui::MuDialog;

// Writes down the codes it hears; destroys its dialog on hearing destroyOn.
struct Listener : mui::MuObserver {
  void elementEvent(mui::MuElement*, int code) override {
    heard += std::to_string(code);
    if (code == destroyOn) dialog.reset();
  }
  std::string heard;
  int destroyOn = -1;
  std::unique_ptr<MuDialog> dialog;
};

class MuDialogTxTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    tx::openDisplay(gwtest::XServer::shared().name().c_str());
    os::setAppInfo("grantwell", "Zem", "zem", loc::msgid_t(), nullptr);
  }
  static std::unique_ptr<MuDialog> dialog(int flags, TXWindow* owner = nullptr,
                                          MuDialog* parent = nullptr) {
    return std::unique_ptr<MuDialog>(mui::muDialog("d", "D", {200, 100}, flags, parent, owner));
  }
  // Sends ev to w from another client, as a window manager would.
  static void fromOutside(Window w, XEvent ev) {
    Display* other = XOpenDisplay(nullptr);
    ev.xany.window = w;
    XSendEvent(other, w, False, 0, &ev);
    XCloseDisplay(other);
  }

  plat::TimerManager outer{true};
  gwtest::WvwBackEnd backEnd;
  std::vector<std::string> log;
};

TEST_F(MuDialogTxTest, ADialogIsCentredOnItsOwnerOrTheScreenUnlessPlaced) {
  TXWindow owner(400, 300, nullptr, 0, false);
  owner.setUSPosition({50, 60}, true);
  auto parent = dialog(0, &owner);
  parent->setPos({100, 100});
  const struct {
    const char* name;
    TXWindow* owner;
    MuDialog* parent;
    bool placed;
    plat::Point at;
  } rows[] = {
      {"over its owner", &owner, nullptr, false, {150, 160}},
      {"over its parent dialog", nullptr, parent.get(), false, {100, 100}},
      {"on the screen", nullptr, nullptr, false, {(1024 - 200 - 10) / 2, (768 - 100 - 30) / 2}},
      {"where it was placed", &owner, nullptr, true, {30, 40}},
  };
  for (const auto& r : rows) {
    auto d = dialog(0, r.owner, r.parent);
    if (r.placed) d->setPos({30, 40});
    d->show(true);
    EXPECT_EQ(d->getAbsolutePos(), r.at) << r.name;
  }
}

// The close request becomes code 3 and hides at once. An observer may
// destroy the dialog on hearing it, also inside the dialog's modal loop,
// whose show(true) then returns all the same.
TEST_F(MuDialogTxTest, TheWindowManagersMessagesBecomeEvents) {
  const int codeModal = MuDialog::CodeModal;
  const Atom close = tx::xaWM_DELETE_WINDOW();
  const struct {
    const char* name;
    int flags;
    Atom protocol;
    bool destroy;
    const char* heard;
    bool shown;
  } rows[] = {
      {"focus offered", 0, tx::xaWM_TAKE_FOCUS(), false, "4", true},
      {"focus offered, destroyed", 0, tx::xaWM_TAKE_FOCUS(), true, "4", false},
      {"close", 0, close, false, "3", false},
      {"close disabled", MuDialog::DisableClose, close, false, "", true},
      {"close, destroyed", 0, close, true, "3", false},
      {"code-modal close", codeModal, close, false, "3", false},
      {"code-modal close, destroyed", codeModal, close, true, "3", false},
  };
  for (const auto& r : rows) {
    Listener listener;
    listener.dialog = dialog(r.flags);
    listener.dialog->registerObserver(&listener, true);
    listener.destroyOn = !r.destroy            ? -1
                         : r.protocol == close ? mui::MuEventClosed
                                               : mui::MuEventFocusOffered;
    XEvent message{};
    message.xclient = {ClientMessage, 0, False, nullptr, 0, tx::xaWM_PROTOCOLS(), 32};
    message.xclient.data.l[0] = long(r.protocol);
    // Sent before a modal loop begins, it is handled inside.
    if (!(r.flags & codeModal)) listener.dialog->show(true);
    fromOutside(listener.dialog->getWinPtr()->win(), message);
    if (r.flags & codeModal) listener.dialog->show(true);
    settle();
    EXPECT_EQ(listener.heard, r.heard) << r.name;
    EXPECT_EQ(listener.dialog && listener.dialog->isShown(), r.shown) << r.name;
  }
  auto modal = dialog(MuDialog::Modal);
  modal->show(true);
  EXPECT_EQ(tx::modalWindows.back(), modal->getWinPtr());
}

// Code 5, whatever the flags; an observer may destroy the dialog on hearing it.
TEST_F(MuDialogTxTest, AWindowAnotherClientDestroysIsReportedAndHidden) {
  const struct {
    const char* name;
    int flags;
    bool destroy;
  } rows[] = {
      {"shown", 0, false},
      {"close disabled", MuDialog::DisableClose, false},
      {"destroyed on hearing", 0, true},
  };
  for (const auto& r : rows) {
    Listener listener;
    listener.dialog = dialog(r.flags);
    listener.dialog->registerObserver(&listener, true);
    if (r.destroy) listener.destroyOn = mui::MuEventWindowDestroyed;
    listener.dialog->show(true);
    settle();
    gwtest::destroyFromOutside(listener.dialog->getWinPtr()->win());
    EXPECT_TRUE(settleUntil([&] { return !listener.heard.empty(); })) << r.name;
    EXPECT_EQ(listener.heard, "5") << r.name;
    EXPECT_FALSE(listener.dialog && listener.dialog->isShown()) << r.name;
  }
}

// The usual OK button: its observer destroys the dialog on the click, from
// inside the window's event handling, which touches nothing of the tree or
// the window afterwards. A key held on the button clicks it when the focus
// leaves the window.
TEST_F(MuDialogTxTest, AClickMayDestroyItsDialog) {
  for (bool byKey : {false, true}) {
    Listener listener;
    listener.dialog = dialog(0);
    listener.destroyOn = mui::MuEventClicked;
    mui::MuLayout* row = mui::muLayout(listener.dialog.get(), "row", mui::MuLayout::Horizontal);
    mui::MuButton* ok = mui::muButton(row, "ok", "OK", mui::MuButton::Text, 0, {});
    ok->registerObserver(&listener, true);
    listener.dialog->show(true);
    settle();
    wvw::Widget* button = mui::getWidget(ok);
    Window win = listener.dialog->getWinPtr()->win();
    if (byKey) {
      button->requestFocus();
      XEvent ev{};
      ev.xkey = {KeyPress, 0, False, nullptr, 0};
      ev.xkey.keycode = XKeysymToKeycode(tx::dpy, XK_space);
      fromOutside(win, ev);
      ev.xfocus = {FocusOut, 0, False, nullptr, 0, NotifyNormal, NotifyNonlinear};
      fromOutside(win, ev);
    } else {
      plat::Point at;
      button->getRoot(&at);
      at += plat::Point(button->getSize().x / 2, button->getSize().y / 2);
      XTestFakeMotionEvent(tx::dpy, -1, at.x, at.y, 0);
      for (bool down : {true, false}) XTestFakeButtonEvent(tx::dpy, 1, down, 0);
    }
    EXPECT_TRUE(settleUntil([&] { return !listener.dialog; })) << byKey;
    EXPECT_EQ(listener.heard, "1") << byKey;
  }
}

// Undecorated needs a window manager that can move windows for its client.
TEST_F(MuDialogTxTest, TheWindowManagersCloseButtonEndsACodeModalRun) {
  EXPECT_FALSE(dialog(MuDialog::Undecorated)->getDialogFlags() & MuDialog::Undecorated);
  gwtest::WindowManager wm(gwtest::XServer::shared().name());
  Listener listener;
  auto d = dialog(MuDialog::CodeModal | MuDialog::Undecorated);
  EXPECT_TRUE(d->getDialogFlags() & MuDialog::Undecorated);
  d->registerObserver(&listener, true);
  Window w = d->getWinPtr()->win();
  // Inside the loop: once openbox manages the window (WM_STATE), it is asked
  // to close it; a dialog still open after 5 s is hidden, failing the test.
  struct Poll : plat::Timer::Callback {
    bool handleTimeout(plat::Timer*) override { return !step(); }
    std::function<bool()> step;
    plat::Timer timer{this};
  } poll;
  int polls = 0;
  poll.step = [&] {
    if (++polls > 1000) return d->show(false), true;
    int n = 0;
    Atom* props = XListProperties(tx::dpy, w, &n);
    bool managed = std::find(props, props + n, tx::xaWM_STATE()) != props + n;
    XFree(props);
    if (managed)
      tx::sendWmClientMsg(w, XInternAtom(tx::dpy, "_NET_CLOSE_WINDOW", False), 0, 2, 0, 0, 0);
    return managed;
  };
  ProbeElement::add(d.get(), "p", &log)->onStart = [&] { poll.timer.start(5); };
  d->show(true);
  EXPECT_EQ(std::count(listener.heard.begin(), listener.heard.end(), '3'), 1) << listener.heard;
  EXPECT_FALSE(d->isShown());
}

// A hide waits until a second has passed since the window manager last
// configured the window; a further configuration puts it off again, and
// showing drops it.
TEST_F(MuDialogTxTest, HidingWaitsASecondAfterTheLastConfiguration) {
  gwtest::DrivenClock clock;
  auto d = dialog(0);
  d->show(true);
  d->show(false);  // nothing configured the window yet
  EXPECT_FALSE(d->isShown());
  int x = 0;
  auto configure = [&] {
    XMoveWindow(tx::dpy, d->getWinPtr()->win(), ++x, 0);
    settle();
  };
  for (int again : {0, 200}) {  // ms after the hide; 0: not configured again
    d->show(true);
    configure();
    clock.advance(300);
    d->show(false);
    if (again) clock.advance(again), configure();
    clock.advance(again ? 999 : 699);
    EXPECT_TRUE(d->isShown()) << again;
    clock.advance(1);
    EXPECT_FALSE(d->isShown()) << again;
  }
  d->show(true);
  configure();
  d->show(false);
  d->show(true);
  clock.advance(2000);
  EXPECT_TRUE(d->isShown());
}

// The window goes first, so the panels hear their widgets stop while whole;
// the put-off hide goes with the dialog.
TEST_F(MuDialogTxTest, ADialogDestroyedRightAfterAHideComesApartCleanly) {
  auto d = dialog(MuDialog::OwnBorder);
  ProbeElement::add(d.get(), "a", &log);
  d->show(true);
  settle();
  d->show(false);
  EXPECT_TRUE(d->isShown());
  d.reset();
  EXPECT_EQ(log, std::vector<std::string>{"a stopped"});
}

TEST_F(MuDialogTxTest, ReturnClicksItsButtonOnceOnTheKeysRelease) {
  auto d = dialog(0);
  ProbeElement* ok = ProbeElement::add(d.get(), "ok", &log);
  Listener clicks;
  ok->registerObserver(&clicks, true);
  d->setActionKeyButton(mui::ActionKeyReturn, ok);
  d->show(true);
  XEvent key{};
  key.xkey = {KeyPress, 0, False, nullptr, 0};
  key.xkey.keycode = XKeysymToKeycode(tx::dpy, XK_Return);
  for (const char* heard : {"", "1"}) {
    fromOutside(d->getWinPtr()->win(), key);
    settle();
    EXPECT_EQ(clicks.heard, heard) << key.type;
    key.type = KeyRelease;
  }
}

// A press no widget took goes to the click callback, then to the move
// callback, which here hands the drag to the window manager.
TEST_F(MuDialogTxTest, APressMayDragTheDialogThroughTheWindowManager) {
  struct : MuDialog::MoveCallback, mui::ClickCallback {
    bool shouldMoveDialog(MuDialog*, mui::MuElement* e, const plat::Point& p) override {
      return pressed = e, at = p, true;
    }
    bool handleClick(MuDialog*) override { return clicks++ > 0; }
    mui::MuElement* pressed = nullptr;
    plat::Point at;
    int clicks = 0;
  } callbacks;
  Display* wm = XOpenDisplay(nullptr);
  XSelectInput(wm, DefaultRootWindow(wm), SubstructureNotifyMask);
  XSync(wm, False);
  auto d = dialog(0);
  ProbeElement* panel = ProbeElement::add(d.get(), "panel", &log);
  d->setMoveCallback(&callbacks);
  d->setClickCallback(&callbacks);
  d->show(true);
  XEvent press{};
  press.xbutton = {ButtonPress, 0, False, nullptr, 0, 0, 0, 0, 30, 20, 530, 420, 0, Button1};
  for (int type : {ButtonPress, ButtonRelease, ButtonPress}) {  // the second press a click
    press.type = type;
    fromOutside(d->getWinPtr()->win(), press);
  }
  settle();
  int inset = mui::sizes[mui::MuiSizes::DialogInset];
  EXPECT_EQ(callbacks.clicks, 2);
  EXPECT_EQ(callbacks.pressed, panel);
  EXPECT_EQ(callbacks.at, plat::Point(30 - inset, 20 - inset));
  XSync(wm, False);
  std::vector<long> asked;
  for (XEvent ev; XCheckTypedEvent(wm, ClientMessage, &ev);)
    if (ev.xclient.message_type == tx::xa_NET_WM_MOVERESIZE())
      asked.insert(asked.end(), ev.xclient.data.l, ev.xclient.data.l + 5);
  EXPECT_EQ(asked, (std::vector<long>{530, 420, 8, 1, 1}));
  XCloseDisplay(wm);
}

// A small dialog with its own border and each kind of element, as the
// window shows it: its widget tree rendered the way the window renders it.
TEST_F(MuDialogTxTest, ADialogOfEachKindMatchesTheGoldenImage) {
  auto d = std::unique_ptr<MuDialog>(
      mui::muDialog("d", "D", {260, 230}, MuDialog::OwnBorder, nullptr, nullptr));
  mui::MuLayout* column = mui::muLayout(d.get(), "column", mui::MuLayout::Vertical);
  mui::muStatic(column, "heading", "Access", mui::MuStatic::Heading);
  mui::MuFrame* frame = mui::muFrame(column, "frame", "Who", mui::MuFrame::Titled);
  mui::MuLayout* who = mui::muLayout(frame, "who", mui::MuLayout::Horizontal);
  mui::muImage(who, "image", "user", {});
  mui::muEdit(who, "name", "Name:", mui::MuEdit::Text)->setText("alice");
  mui::muStatic(column, "note", "Changes apply at once.", mui::MuStatic::Text);
  mui::muStatic(column, "rule", nullptr, mui::MuStatic::HorizontalLine);
  mui::MuLayout* bar = mui::muLayout(column, "bar", mui::MuLayout::Horizontal);
  mui::muButton(bar, "help", "Help", mui::MuButton::Hyperlink, 0, {});
  mui::muButton(bar, "ok", "&OK", mui::MuButton::Text, 0, {});
  d->show(true);
  settle();
  EXPECT_TRUE(gwtest::dialogMatchesGolden(d.get(), GW_GOLDEN_DIR "/dialog.png"));
}

}  // namespace
