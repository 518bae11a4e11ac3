#include "lib2/tx/TXWindow.h"

#include <X11/Xatom.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "lib1/os/AppInfo.h"
#include "lib1/plat/DString.h"
#include "lib1/plat/String.h"
#include "lib1/plat/Utf8.h"
#include "lib2/tx/TXAtoms.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXErrorCatcher.h"
#include "lib2/tx/TXEvents.h"
#include "lib2/tx/TXProps.h"

TXWindow* TXWindow::grabPointerWin = nullptr;
TXWindow* TXWindow::grabKeyboardWin = nullptr;
TXWindow::IconData TXWindow::defaultIconData;
Display*& TXWindow::dpy = tx::dpy;

namespace {
plat::String defaultClass;
}  // namespace

TXWindow::TXWindow(int width, int height, TXWindow* parent, int borderWidth, bool overrideRedirect)
    : parent_(parent),
      size_(std::max(width, 1), std::max(height, 1)),
      overrideRedirect_(overrideRedirect) {
  XSetWindowAttributes attr;
  attr.background_pixel = tx::defaultBg;
  attr.border_pixel = 0;
  attr.override_redirect = overrideRedirect ? True : False;
  attr.colormap = tx::cmap;
  Window parentWin = parent ? parent->win_ : DefaultRootWindow(dpy);
  win_ = XCreateWindow(dpy, parentWin, 0, 0, size_.x, size_.y, borderWidth, CopyFromParent,
                       CopyFromParent, CopyFromParent,
                       CWBackPixel | CWBorderPixel | CWOverrideRedirect | CWColormap, &attr);
  if (parent) map();
  // Selected, not merely recorded: the server time comes from PropertyNotify.
  eventMask_ = FocusChangeMask | PropertyChangeMask;
  XSelectInput(dpy, win_, eventMask_);
  tx::windows[win_] = this;
}

TXWindow::~TXWindow() {
  // A grab recorded for a dead window would refuse every later grab and let
  // input past the modal filter.
  if (grabPointerWin == this) grabPointer(false, None);
  if (grabKeyboardWin == this) grabKeyboard(false);
  auto it = tx::windows.find(win_);
  if (it != tx::windows.end() && it->second == this) tx::windows.erase(it);
  tx::modalWindows.remove(this);
  if (!destroyed_) XDestroyWindow(dpy, win_);
}

TXEventHandler* TXWindow::setEventHandler(TXEventHandler* h) {
  TXEventHandler* old = eventHandler_;
  eventHandler_ = h;
  return old;
}

void TXWindow::addEventMask(long bits) {
  eventMask_ |= bits;
  XSelectInput(dpy, win_, eventMask_);
}

void TXWindow::removeEventMask(long bits) {
  eventMask_ &= ~bits;
  XSelectInput(dpy, win_, eventMask_);
}

void TXWindow::map() {
  if (destroyed_) return;
  XMapWindow(dpy, win_);
  mapped_ = true;
}

void TXWindow::unmap() {
  tx::modalWindows.remove(this);
  if (destroyed_) return;
  XUnmapWindow(dpy, win_);
  if (toplevel_ && !overrideRedirect_) {
    // A window manager withdraws a window only when told so.
    XEvent ev{};
    ev.xunmap.type = UnmapNotify;
    ev.xunmap.event = DefaultRootWindow(dpy);
    ev.xunmap.window = win_;
    ev.xunmap.from_configure = False;
    XSendEvent(dpy, DefaultRootWindow(dpy), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &ev);
    XSync(dpy, False);
  }
  mapped_ = false;
}

void TXWindow::toplevel(const char* name, TXDeleteWindowCallback* cb, const char* className) {
  toplevel_ = true;
  if (overrideRedirect_) setOverrideRedirect(false);
  if (!className) {
    if (!defaultClass.get()) {
      plat::String company(os::getCompanyName());
      plat::DString text;
      text.prf("%s-%s", company.toLower().get(), os::getAppName());
      defaultClass = plat::String(text.get());
    }
    className = defaultClass.get();
  }
  XWMHints wmHints{};
  wmHints.flags = InputHint | StateHint;
  wmHints.input = True;
  wmHints.initial_state = NormalState;
  XClassHint classHint;
  plat::String resName(name ? name : "");
  plat::String resClass(className);
  classHint.res_name = const_cast<char*>(resName.get());
  classHint.res_class = const_cast<char*>(resClass.get());
  XSetWMProperties(dpy, win_, nullptr, nullptr, nullptr, 0, &sizeHints_, &wmHints, &classHint);
  setWindowName(name);

  deleteWindowCallback_ = cb;
  Atom protocols[2] = {tx::xaWM_TAKE_FOCUS(), tx::xaWM_DELETE_WINDOW()};
  XSetWMProtocols(dpy, win_, protocols, cb ? 2 : 1);
  addEventMask(StructureNotifyMask);

  long pid = getpid();
  tx::setProp(win_, tx::xa_NET_WM_PID(), XA_CARDINAL, 32, &pid, 1);
  if (defaultIconData.data)
    tx::setProp(win_, tx::xa_NET_WM_ICON(), XA_CARDINAL, 32, defaultIconData.data,
                defaultIconData.count);
}

void TXWindow::toplevelShow() {
  if (destroyed_) return;
  unmap();
  setInitialState(false);
  map();
}

void TXWindow::setInitialState(bool iconic) {
  XWMHints* hints = XGetWMHints(dpy, win_);
  if (!hints) return;
  hints->flags |= StateHint;
  hints->initial_state = iconic ? IconicState : NormalState;
  XSetWMHints(dpy, win_, hints);
  XFree(hints);
}

void TXWindow::iconify() {
  if (mapped_) {
    tx::sendWmClientMsg(win_, tx::xaWM_CHANGE_STATE(), IconicState, 0, 0, 0, 0);
  } else {
    setInitialState(true);
    map();
  }
}

void TXWindow::setWindowName(const char* utf8) {
  if (!utf8) utf8 = "";
  // The STRING-typed names are Latin-1; the UTF-8 ones carry the full text.
  std::unique_ptr<char[]> latin1(plat::utf8ToLatin1(utf8));
  XStoreName(dpy, win_, latin1.get());
  XSetIconName(dpy, win_, latin1.get());
  int length = int(strlen(utf8));
  tx::setProp(win_, tx::xa_NET_WM_NAME(), tx::xaUTF8_STRING(), 8, utf8, length);
  tx::setProp(win_, tx::xa_NET_WM_ICON_NAME(), tx::xaUTF8_STRING(), 8, utf8, length);
}

void TXWindow::setUrgency(bool urgent) {
  XWMHints* hints = XGetWMHints(dpy, win_);
  if (!hints) return;
  if (urgent)
    hints->flags |= XUrgencyHint;
  else
    hints->flags &= ~XUrgencyHint;
  XSetWMHints(dpy, win_, hints);
  XFree(hints);
}

void TXWindow::setOverrideRedirect(bool overrideRedirect) {
  overrideRedirect_ = overrideRedirect;
  XSetWindowAttributes attr;
  attr.override_redirect = overrideRedirect ? True : False;
  XChangeWindowAttributes(dpy, win_, CWOverrideRedirect, &attr);
}

void TXWindow::setBorderWidth(int width) {
  XWindowChanges changes;
  changes.border_width = width;
  XConfigureWindow(dpy, win_, CWBorderWidth, &changes);
}

bool TXWindow::grabPointer(bool grab, Cursor cursor) {
  if (grab) {
    // Refused without asking the server: the holder keeps its grab.
    if (grabPointerWin) return false;
    int status =
        XGrabPointer(dpy, win_, False, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                     GrabModeAsync, GrabModeAsync, None, cursor, CurrentTime);
    if (status != GrabSuccess) return false;
    grabPointerWin = this;
    return true;
  }
  if (grabPointerWin != this) return false;
  XUngrabPointer(dpy, CurrentTime);
  grabPointerWin = nullptr;
  return true;
}

bool TXWindow::grabKeyboard(bool grab) {
  if (grab) {
    if (grabKeyboardWin) return false;
    // Every key goes to the holder, not to the window of ours that has the
    // focus: a popup menu holding the keyboard must hear its keys (Escape).
    if (XGrabKeyboard(dpy, win_, False, GrabModeAsync, GrabModeAsync, CurrentTime) != GrabSuccess)
      return false;
    grabKeyboardWin = this;
    return true;
  }
  if (grabKeyboardWin != this) return false;
  XUngrabKeyboard(dpy, CurrentTime);
  grabKeyboardWin = nullptr;
  return true;
}

bool TXWindow::grabPointerAndKeyboard(bool grab, Cursor cursor) {
  if (!grabPointer(grab, cursor) && grab) return false;
  return grabKeyboard(grab);
}

void TXWindow::setInputFocus(Time time) {
  if (!mapped_) return;
  // A window that is not viewable yet refuses; that is logged and forgotten.
  tx::ErrorCatcher catcher(true);
  XSetInputFocus(dpy, win_, RevertToParent, time);
}

void TXWindow::setActiveWindow() {
  XRaiseWindow(dpy, win_);
  tx::sendWmClientMsg(win_, tx::xa_NET_ACTIVE_WINDOW(), 1, 0, 0, 0, 0);
}

Window TXWindow::getActiveWindow() {
  tx::GetProp prop(DefaultRootWindow(dpy), tx::xa_NET_ACTIVE_WINDOW(), XA_WINDOW, false);
  Window active = 0;
  if (prop.ok && prop.actualFormat == 32 && prop.nitems >= 1)
    active = reinterpret_cast<Window*>(prop.data)[0];
  if (prop.data) XFree(prop.data);
  return active;
}
