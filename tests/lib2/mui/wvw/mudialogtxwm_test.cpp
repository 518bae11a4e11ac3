// Dialogs of the X11 back-end as openbox handles them, driven through XTEST.
#include <gtest/gtest.h>
// Xlib after gtest: its macro None would rename a gtest type.
#include <X11/Xatom.h>
#include <X11/keysym.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lib1/plat/Timer.h"
#include "lib1/plat/TimerManager.h"
#include "lib2/mui/MuFactories.h"
#include "lib2/tx/TXDialog.h"
#include "lib2/tx/TXWindow.h"
#include "tests/lib2/mui/wvw/ProbeElement.h"
#include "tests/support/DrivenClock.h"
#include "tests/support/ManagedDialogTest.h"
#include "tests/support/WvwBackEnd.h"
#include "tests/support/XDrive.h"

namespace {

using gwtest::settleUntil;
using mui::MuDialog;

class MuDialogTxWmTest : public gwtest::ManagedDialogTest {
 protected:
  static std::unique_ptr<MuDialog> dialog(int flags) {
    return std::unique_ptr<MuDialog>(mui::muDialog("d", "D", {200, 160}, flags, nullptr, nullptr));
  }
  // Shows the code-modal d and, inside its loop, calls inside() every ms
  // milliseconds until it returns true; inside() ends the loop by
  // dismissing d. A loop still running after 1000 calls is ended and the
  // case fails.
  void runModal(MuDialog* d, const std::function<bool()>& inside, int ms = 5) {
    struct : plat::Timer::Callback {
      // Again while it returns true.
      bool handleTimeout(plat::Timer*) override { return step(); }
      std::function<bool()> step;
    } poll;
    plat::Timer timer(&poll);
    int calls = 0;
    poll.step = [&] {
      if (++calls <= 1000) return !inside();
      ADD_FAILURE() << "the dialog is still up";
      dismiss(d);
      return false;
    };
    gwtest::ProbeElement::add(d, "p", &log)->onStart = [&] { timer.start(ms); };
    d->show(true);
  }
  static void dismiss(MuDialog* d) { static_cast<tx::TXDialog*>(d->getWinPtr())->dismiss(false); }
  // The window manager's states of w, as it wrote them.
  static std::vector<Atom> wmStates(Window w) {
    Atom type;
    int format;
    unsigned long n, after;
    unsigned char* data = nullptr;
    std::vector<Atom> states;
    if (XGetWindowProperty(tx::dpy, w, tx::xa_NET_WM_STATE(), 0, 64, False, XA_ATOM, &type, &format,
                           &n, &after, &data) == Success &&
        data && format == 32)
      states.assign(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + n);
    if (data) XFree(data);
    return states;
  }

  plat::TimerManager outer{true};
  gwtest::WvwBackEnd backEnd;
  std::vector<std::string> log;
};

// Rows moved about as the permissions editor moves its tick rows: the key
// goes to the window the window manager focused, and Tab steps down the
// rows as they stand on screen.
TEST_F(MuDialogTxWmTest, TabStepsDownReorderedRows) {
  auto d = dialog(0);
  mui::MuLayout* column = mui::muLayout(d.get(), "column", mui::MuLayout::Vertical);
  std::vector<mui::MuElement*> rows;
  for (const char* id : {"a", "b", "c", "d"})
    rows.push_back(mui::muCheck(column, id, id, mui::MuCheck::Normal, nullptr, nullptr));
  column->reorderChild(rows[3], mui::MuLayout::Before, rows[1]);
  column->reorderChild(rows[0], mui::MuLayout::ToEnd, nullptr);
  column->reorderChild(rows[0], mui::MuLayout::ToStart, nullptr);
  d->show(true);
  Window w = d->getWinPtr()->win();
  ASSERT_TRUE(settleUntil([&] { return gwtest::managed(w) && gwtest::focused(w); }));
  rows[0]->focus();
  auto focusedRow = [&]() -> std::string {
    for (mui::MuElement* e : rows)
      if (e->hasFocus()) return e->getId();
    return "-";
  };
  std::string visited;
  for (size_t i = 0; i < rows.size(); i++) {
    std::string at = focusedRow();
    visited += at;
    gwtest::typeKey(XK_Tab);
    EXPECT_TRUE(settleUntil([&] { return focusedRow() != at; })) << visited;
  }
  EXPECT_EQ(visited, "adbc");
}

// A dialog hidden from inside other dialogs' modal loops within a second of
// the window manager moving it: the hide waits out the second on the main
// loop, however deep the loops were.
TEST_F(MuDialogTxWmTest, AHidePutOffInsideAModalLoopHappensAfterIt) {
  for (int depth : {1, 2}) {
    gwtest::DrivenClock clock;
    auto moved = dialog(0);
    moved->show(true);
    Window w = moved->getWinPtr()->win();
    ASSERT_TRUE(settleUntil([&] { return gwtest::managed(w); }));
    plat::Point was = moved->getAbsolutePos();
    XMoveWindow(tx::dpy, w, was.x + 40, was.y + 30);
    // The clock stands still meanwhile: the hide is due a second from now.
    ASSERT_TRUE(settleUntil([&] { return moved->getAbsolutePos() != was; }));
    bool putOff = false;
    auto outerLoop = dialog(MuDialog::CodeModal), innerLoop = dialog(MuDialog::CodeModal);
    auto hide = [&] {
      moved->show(false);
      putOff = moved->isShown();
    };
    runModal(
        outerLoop.get(),
        [&] {
          if (depth == 1)
            hide();
          else
            runModal(
                innerLoop.get(), [&] { return hide(), dismiss(innerLoop.get()), true; }, 0);
          dismiss(outerLoop.get());
          return true;
        },
        0);
    EXPECT_TRUE(putOff) << depth;
    clock.advance(999);
    EXPECT_TRUE(moved->isShown()) << depth;
    clock.advance(1);
    EXPECT_FALSE(moved->isShown()) << depth;
  }
}

// Seen from inside a code-modal run: the window manager has taken the state
// on as it managed the window, and the raised dialog is above a window made
// after it.
TEST_F(MuDialogTxWmTest, RaiseAndKeepAboveHoldFromTheStart) {
  const Atom above = tx::xa_NET_WM_STATE_ABOVE();
  const struct {
    const char* name;
    int flags;
  } rows[] = {
      {"kept above", MuDialog::KeepAbove},
      {"code-modal, kept above", MuDialog::CodeModal | MuDialog::KeepAbove},
      {"code-modal, raised", MuDialog::CodeModal | MuDialog::OverrideRedirect},
  };
  for (const auto& r : rows) {
    auto d = dialog(r.flags);
    XSetWindowAttributes attrs{};
    attrs.override_redirect = True;
    Window later =
        XCreateWindow(tx::dpy, DefaultRootWindow(tx::dpy), 0, 0, 300, 300, 0, CopyFromParent,
                      InputOutput, CopyFromParent, CWOverrideRedirect, &attrs);
    XMapWindow(tx::dpy, later);
    Window w = d->getWinPtr()->win();
    bool raised = r.flags & MuDialog::OverrideRedirect;
    bool held = false;
    auto check = [&] {
      if (raised) {
        Window root, parent, *children = nullptr;
        unsigned n = 0;
        XQueryTree(tx::dpy, DefaultRootWindow(tx::dpy), &root, &parent, &children, &n);
        std::vector<Window> stack(children, children + n);
        if (children) XFree(children);
        auto at = [&](Window x) { return std::find(stack.begin(), stack.end(), x); };
        return held = at(w) > at(later), true;
      }
      if (!gwtest::managed(w)) return false;
      std::vector<Atom> states = wmStates(w);
      held = std::find(states.begin(), states.end(), above) != states.end();
      return true;
    };
    if (r.flags & MuDialog::CodeModal) {
      runModal(d.get(), [&] { return check() && (dismiss(d.get()), true); });
    } else {
      d->show(true);
      EXPECT_TRUE(settleUntil(check)) << r.name;
    }
    EXPECT_TRUE(held) << r.name;
    XDestroyWindow(tx::dpy, later);
  }
}

}  // namespace
