// TXWindow: event dispatch with the modal filter, the window destroyed by
// another client, waiting for one event, and the bevel drawing helper.
#include <cerrno>

#include "lib1/plat/Exception.h"
#include "lib1/plat/FdSet.h"
#include "lib1/plat/Time.h"
#include "lib2/tx/TXAtoms.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXEvents.h"
#include "lib2/tx/TXWindow.h"

void TXWindow::handleXEvent(XEvent* ev, TXWindow* modal) {
  switch (ev->type) {
    case KeyPress:
    case KeyRelease:
      if (filtered(modal, grabKeyboardWin)) return;
      break;
    case ButtonPress:
    case ButtonRelease:
      if (filtered(modal, grabPointerWin)) return;
      break;
    case MotionNotify: {
      const unsigned buttons = Button1Mask | Button2Mask | Button3Mask | Button4Mask | Button5Mask;
      if ((ev->xmotion.state & buttons) && filtered(modal, grabPointerWin)) return;
      break;
    }
    case FocusIn:
    case FocusOut:
      focused_ = ev->type == FocusIn;
      break;
    case MapNotify:
    case UnmapNotify:
      if (ev->xany.window == win_) mapped_ = ev->type == MapNotify;
      break;
    case DestroyNotify:
      // One the server made, not a copy another client sent.
      if (ev->xdestroywindow.window == win_ && !ev->xany.send_event) {
        destroyedElsewhere();
        Window id = win_;
        destroyNotify();
        if (!tx::windowStands(id, this)) return;
      }
      break;
    case ConfigureNotify:
      if (ev->xconfigure.window == win_) {
        // Only the latest geometry matters: a window being dragged to a new
        // size would otherwise lay itself out once per step.
        while (XCheckTypedWindowEvent(dpy, win_, ConfigureNotify, ev)) {
        }
        configureNotify();
        plat::Point reported(ev->xconfigure.width, ev->xconfigure.height);
        if (reported != size_) {
          size_ = reported;
          resizeNotify();
        }
      }
      break;
    case ClientMessage:
      if (ev->xclient.message_type == tx::xaWM_PROTOCOLS()) {
        Atom protocol = Atom(ev->xclient.data.l[0]);
        if (protocol == tx::xaWM_DELETE_WINDOW()) {
          if (filtered(modal, grabPointerWin)) return;
          if (deleteWindowCallback_) {
            deleteWindowCallback_->deleteWindow(this);
            return;
          }
        } else if (protocol == tx::xaWM_TAKE_FOCUS()) {
          if (mapped_) {
            Window id = win_;
            takeFocus(Time(ev->xclient.data.l[1]));
            // Whoever heard the offer may have destroyed the window.
            if (!tx::windowStands(id, this)) return;
          }
        }
      }
      break;
    case SelectionRequest:
      answerSelectionRequest(ev->xselectionrequest);
      break;
    case SelectionClear:
      ownedSelections_.erase(ev->xselectionclear.selection);
      break;
    case SelectionNotify:
      // An answer that came after its wait ended.
      getSelProp(ev);
      break;
    default:
      break;
  }
  if (eventHandler_) eventHandler_->handleEvent(this, ev);
}

void TXWindow::destroyedElsewhere() {
  destroyed_ = true;
  mapped_ = false;
  focused_ = false;
  tx::modalWindows.remove(this);
  // The server let go of the grabs and selections along with the window;
  // only the records are left to clear.
  if (grabPointerWin == this) grabPointerWin = nullptr;
  if (grabKeyboardWin == this) grabKeyboardWin = nullptr;
  ownedSelections_.clear();
}

bool TXWindow::waitForTypedEvent(int type, int timeoutMs, XEvent* event) {
  const long long unitsPerMs = plat::kUnitsPerMs;
  long long deadline = plat::getMonotonicTime(-1, nullptr) + timeoutMs * unitsPerMs;
  int fd = ConnectionNumber(dpy);
  while (true) {
    if (XCheckTypedWindowEvent(dpy, win_, type, event)) return true;
    long long left = deadline - plat::getMonotonicTime(-1, nullptr);
    if (left <= 0) return false;
    long long ms = (left + unitsPerMs - 1) / unitsPerMs;
    timeval limit{time_t(ms / 1000), suseconds_t(ms % 1000 * 1000)};
    plat::FdSet read;
    if (!read.add(fd)) throw plat::SystemException("select", EMFILE);
    if (plat::FdSet::select(fd + 1, &read, nullptr, nullptr, &limit) < 0 && errno != EINTR)
      throw plat::SystemException("select", errno);
  }
}

void TXWindow::drawBevel(GC gc, int x, int y, int w, int h, int b, unsigned long middle,
                         unsigned long topLeft, unsigned long bottomRight, bool oval) {
  if (!oval) {
    if (w - 2 * b > 0 && h - 2 * b > 0) {
      XSetForeground(dpy, gc, middle);
      XFillRectangle(dpy, win_, gc, x + b, y + b, w - 2 * b, h - 2 * b);
    }
    XSetForeground(dpy, gc, topLeft);
    XFillRectangle(dpy, win_, gc, x, y, w, b);
    XFillRectangle(dpy, win_, gc, x, y, b, h);
    XSetForeground(dpy, gc, bottomRight);
    for (int i = 0; i < b; i++) {
      if (w - i > 0) XFillRectangle(dpy, win_, gc, x + i, y + h - 1 - i, w - i, 1);
      if (h - 1 - i > 0) XFillRectangle(dpy, win_, gc, x + w - 1 - i, y + 1 + i, 1, h - 1 - i);
    }
    return;
  }
  XSetLineAttributes(dpy, gc, b, LineSolid, CapButt, JoinMiter);
  XSetForeground(dpy, gc, middle);
  XFillArc(dpy, win_, gc, x, y, w - b / 2, h - b / 2, 0, 360 * 64);
  XSetForeground(dpy, gc, topLeft);
  XDrawArc(dpy, win_, gc, x, y, w - b / 2, h - b / 2, 45 * 64, 180 * 64);
  XSetForeground(dpy, gc, bottomRight);
  XDrawArc(dpy, win_, gc, x, y, w - b / 2, h - b / 2, 225 * 64, 180 * 64);
}
