#include "lib2/wvw/WLabelWidget.h"

#include <algorithm>

#include "lib1/plat/Assert.h"
#include "lib2/gfxutil/Font.h"
#include "lib2/wvw/WStyle.h"

namespace wvw {

WLabelWidget::WLabelWidget(const char* label, int labelSplit, int childSplit)
    : WLayout(true),
      label_(nullptr, plat::ALIGN_LEFT),
      labelSplit_(labelSplit),
      childSplit_(childSplit) {
  add(&label_, nullptr);
  label_.setLabel(label);
  label_.setTransparent(true);
  label_.setPadding(0);
}

void WLabelWidget::setChild(Widget* w) {
  if (child_) remove(child_);
  child_ = w;
  if (w) add(w, nullptr);
}

void WLabelWidget::setLabel(const char* text) { label_.setLabel(text); }

void WLabelWidget::setOrder(bool childFirst) {
  order_ = childFirst;
  handleResize(this);
}

void WLabelWidget::setSplit(int labelSplit, int childSplit) {
  labelSplit_ = labelSplit;
  childSplit_ = childSplit;
  handleResize(this);
}

void WLabelWidget::setPadding(int padding) {
  padding_ = padding;
  handleResize(this);
}

int WLabelWidget::gap() const { return (order_ ? childSplit_ : labelSplit_) <= 0 ? padding_ : 0; }

void WLabelWidget::calcSetSplit(const WLabelWidget& w, plat::Point size, plat::Rect* childRect,
                                plat::Rect* labelRect) {
  const Widget* elems[2] = {&w.label_, w.child_};
  int splits[2] = {w.labelSplit_, w.childSplit_};
  if (w.order_) std::swap(elems[0], elems[1]), std::swap(splits[0], splits[1]);
  int gap = w.gap(), used = gap, weight = 0, widths[2];
  for (int i = 0; i < 2; i++) {
    widths[i] = splits[i] > 0                ? splits[i]
                : splits[i] == 0 && elems[i] ? elems[i]->getMinWidth(size.y)
                                             : 0;
    if (splits[i] < 0)
      weight -= splits[i];
    else
      used += widths[i];
  }
  int remaining = size.x - used;
  for (int i = 0; i < 2; i++)
    if (splits[i] < 0) widths[i] = std::max(0, -splits[i] * remaining / weight);
  if (splits[0] == 0 && splits[1] == 0 && size.x - gap < used)
    widths[0] = std::max(0, size.x - gap - widths[1]);
  plat::Rect rects[2] = {plat::Rect(0, 0, widths[0], size.y),
                         plat::Rect(widths[0] + gap, 0, widths[0] + gap + widths[1], size.y)};
  plat::Rect& cr = rects[w.order_ ? 0 : 1];
  *labelRect = rects[w.order_ ? 1 : 0];
  int h = size.y, ch = h;
  if (w.child_) {
    int fontHeight = w.getStyle()->font->height;
    ch = std::min(h, std::max(fontHeight, w.child_->getMinHeight(cr.width())));
  }
  int block = std::max(ch, w.label_.getMinHeight(labelRect->width())), d = 0;
  switch (w.verticalAlignment_) {
    case Centre:
      d = (h - ch) / 2;
      break;
    case Top:
      d = block < h ? (h - block) / 2 : 0;
      break;
    case Bottom:
      d = block < h ? (h - ch) - (h - block) / 2 : 0;
      break;
    default:
      PLAT_ASSERT_MSG(false, "Unexpected vertical alignment: %u", unsigned(w.verticalAlignment_));
  }
  *childRect = plat::Rect(cr.tl.x, d, cr.br.x, d + ch);
}

bool WLabelWidget::handleEnable(Widget* w) {
  if (w == this) {
    label_.setEnabled(enabled_);
    if (child_) child_->setEnabled(enabled_);
  }
  return Widget::handleEnable(w);
}

bool WLabelWidget::handleResize(Widget* w) {
  if (w == this && child_) {
    if (hasText()) {
      plat::Rect childRect, labelRect;
      calcSetSplit(*this, size_, &childRect, &labelRect);
      setPos(child_, childRect);
      setPos(&label_, labelRect);
    } else {
      setPos(child_, plat::Rect(plat::Point(), size_));
    }
  }
  return Widget::handleResize(w);
}

plat::Point WLabelWidget::getMinSize() const {
  plat::Point c = child_ ? child_->getMinSize() : plat::Point();
  if (!hasText()) return c;
  plat::Point l = label_.getMinSize();
  return plat::Point(l.x + c.x + gap(), std::max(l.y, c.y));
}

int WLabelWidget::getMinWidth(int height) const {
  int c = child_ ? child_->getMinWidth(height) : 0;
  if (!hasText()) return c;
  return c + label_.getMinWidth(height) + gap();
}

int WLabelWidget::getMinHeight(int width) const {
  if (!hasText()) return child_ ? child_->getMinHeight(width) : 0;
  plat::Rect childRect, labelRect;
  calcSetSplit(*this, plat::Point(width, 0), &childRect, &labelRect);
  int c = child_ ? child_->getMinHeight(childRect.width()) : 0;
  return std::max(c, label_.getMinHeight(labelRect.width()));
}

}  // namespace wvw
