#include "lib2/wvw/WScrollView.h"

namespace wvw {

namespace {
constexpr int Thickness = 16;
}

WScrollView::WScrollView(int step) : WLayout(true), hbar(true, step), vbar(false, step) {
  hbar.setSize(plat::Point(0, Thickness));
  vbar.setSize(plat::Point(Thickness, 0));
  add(&viewport, plat::Point(), nullptr);
  add(&hbar, plat::Point(), nullptr);
  add(&vbar, plat::Point(), nullptr);
  hbar.setVisible(false);
  vbar.setVisible(false);
}

void WScrollView::setChild(Widget* w) {
  // The viewport starts and stops its children with itself, so it alone
  // hosts the child; a direct start here would host it where no list holds it.
  if (child) viewport.remove(child);
  child = w;
  if (w) viewport.add(w, plat::Point(), nullptr);
  handleChanged(this);
}

void WScrollView::scrollTo(const plat::Point& p) {
  hbar.slider.setPosition(p);
  vbar.slider.setPosition(p);
}

void WScrollView::scrollBy(const plat::Point& d) {
  hbar.slider.setPosition(hbar.slider.position + d);
  vbar.slider.setPosition(vbar.slider.position + d);
}

plat::Point WScrollView::visibleSize() const {
  return plat::Point(size_.x - (vbar.isVisible() ? vbar.getSize().x : 0),
                     size_.y - (hbar.isVisible() ? hbar.getSize().y : 0));
}

plat::Rect WScrollView::visibleRect() const {
  plat::Point tl(hbar.isVisible() ? hbar.slider.position.x : 0,
                 vbar.isVisible() ? vbar.slider.position.y : 0);
  return plat::Rect(tl, tl + visibleSize());
}

void WScrollView::updateScrollBars() {
  if (updating_) return;
  updating_ = true;
  int W = size_.x, H = size_.y;
  plat::Point c = child ? child->getSize() : plat::Point();
  int th = hbar.getSize().y, tv = vbar.getSize().x;
  bool needH = W < c.x, needV = H < c.y;
  bool needHFirst = needH;
  if (needH && !needV) needV = H - th < c.y;
  if (needV && !needHFirst) needH = W - tv < c.x;
  hbar.setVisible(needH);
  vbar.setVisible(needV);
  if (needH)
    setPos(&hbar, plat::Rect(0, H - th, needV ? W - tv : W, H));
  else
    hbar.slider.setPosition(plat::Point());
  if (needV)
    setPos(&vbar, plat::Rect(W - tv, 0, W, needH ? H - th : H));
  else
    vbar.slider.setPosition(plat::Point());
  plat::Point v = visibleSize();
  if (needV) {
    vbar.slider.setKnobUnits(plat::Point(0, v.y));
    vbar.slider.setRange(plat::Point(0, child ? c.y - v.y : 0));
  }
  if (needH) {
    hbar.slider.setKnobUnits(plat::Point(v.x, 0));
    hbar.slider.setRange(plat::Point(child ? c.x - v.x : 0, 0));
  }
  plat::Point s(hbar.slider.position.x, vbar.slider.position.y);
  setPos(&viewport, plat::Rect(plat::Point() - s, v));
  invalidate();
  updating_ = false;
}

bool WScrollView::handleResize(Widget* w) {
  if (w == this || (w && w == child)) updateScrollBars();
  return WLayout::handleResize(w);
}

bool WScrollView::handleChanged(Widget* w) {
  if (w == this || w == &hbar.slider || w == &vbar.slider) updateScrollBars();
  return WLayout::handleChanged(w);
}

bool WScrollView::handlePtrPress(unsigned char button, Widget* w) {
  if (button == 3) scrollBy(plat::Point(0, -(size_.y / 4)));
  if (button == 4) scrollBy(plat::Point(0, size_.y / 4));
  return WLayout::handlePtrPress(button, w);
}

bool WScrollView::handleClick(Widget* w) {
  if (w && w == child && (buttonMask_ == 8 || buttonMask_ == 16)) {
    bool ctrl = isCtrlPressed();
    int dy = vbar.isVisible() && !(hbar.isVisible() && ctrl) ? size_.y / 4 : 0;
    int dx = hbar.isVisible() && (!vbar.isVisible() || ctrl) ? size_.x / 4 : 0;
    if (buttonMask_ == 8) dx = -dx, dy = -dy;
    scrollBy(plat::Point(dx, dy));
    return true;
  }
  return WLayout::handleClick(w);
}

}  // namespace wvw
