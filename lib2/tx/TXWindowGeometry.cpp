// TXWindow: size, position and the size hints the window manager reads.
#include <algorithm>

#include "lib1/plat/DString.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXWindow.h"

void TXWindow::sendSizeHints() { XSetWMNormalHints(dpy, win_, &sizeHints_); }

void TXWindow::resize(plat::Point newSize) {
  newSize.x = std::max(newSize.x, 1);
  newSize.y = std::max(newSize.y, 1);
  // The size the server last reported, not a stale one, decides whether
  // anything has to change.
  XSync(dpy, False);
  XEvent ev;
  bool any = false;
  while (XCheckTypedWindowEvent(dpy, win_, ConfigureNotify, &ev)) any = true;
  if (any) size_ = plat::Point(ev.xconfigure.width, ev.xconfigure.height);
  if (size_ == newSize) return;
  bool wasFixed = fixedSize_;
  if (wasFixed) setFixedSize(false);
  XResizeWindow(dpy, win_, newSize.x, newSize.y);
  size_ = newSize;
  resizeNotify();
  if (wasFixed) setFixedSize(true);
}

void TXWindow::setGeometry(const char* geometry, plat::Rect defaults) {
  plat::DString defaultGeometry;
  defaultGeometry.prf("%dx%d+%d+%d", defaults.width(), defaults.height(), defaults.tl.x,
                      defaults.tl.y);
  int x = 0, y = 0, w = 0, h = 0, gravity = 0;
  XWMGeometry(dpy, DefaultScreen(dpy), geometry && *geometry ? geometry : nullptr,
              defaultGeometry.get(), 0, &sizeHints_, &x, &y, &w, &h, &gravity);
  sizeHints_.win_gravity = gravity;
  sizeHints_.flags |= PWinGravity;
  setUSPosition(plat::Point(x, y), true);
  resize(plat::Point(w, h));
}

void TXWindow::setMinSize(int w, int h) {
  if (w && h) {
    sizeHints_.flags |= PMinSize;
    sizeHints_.min_width = w;
    sizeHints_.min_height = h;
  } else {
    sizeHints_.flags &= ~PMinSize;
  }
  sendSizeHints();
}

void TXWindow::setMaxSize(int w, int h) {
  if (w && h) {
    sizeHints_.flags |= PMaxSize;
    sizeHints_.max_width = w;
    sizeHints_.max_height = h;
  } else {
    sizeHints_.flags &= ~PMaxSize;
  }
  sendSizeHints();
}

void TXWindow::setFixedSize(bool fixed) {
  if (fixed) {
    sizeHints_.flags |= PMinSize | PMaxSize;
    sizeHints_.min_width = sizeHints_.max_width = size_.x;
    sizeHints_.min_height = sizeHints_.max_height = size_.y;
  } else {
    sizeHints_.flags &= ~(PMinSize | PMaxSize);
  }
  fixedSize_ = fixed;
  sendSizeHints();
}

void TXWindow::setUSPosition(plat::Point pos, bool move) {
  sizeHints_.flags |= USPosition;
  sizeHints_.x = pos.x;
  sizeHints_.y = pos.y;
  sendSizeHints();
  if (move) XMoveWindow(dpy, win_, pos.x, pos.y);
}

plat::Point TXWindow::getPosition() {
  int x = 0, y = 0;
  Window child;
  XTranslateCoordinates(dpy, win_, DefaultRootWindow(dpy), 0, 0, &x, &y, &child);
  return plat::Point(x, y);
}

void TXWindow::centerOnScreen() {
  int screen = DefaultScreen(dpy);
  // 10 and 30 leave room for the frame the window manager adds.
  int x = (DisplayWidth(dpy, screen) - size_.x - 10) / 2;
  int y = (DisplayHeight(dpy, screen) - size_.y - 30) / 2;
  setUSPosition(plat::Point(x, y), true);
}
