#include "lib2/wvw/WMenu.h"

#include <algorithm>
#include <climits>

#include "lib1/plat/Assert.h"
#include "lib2/fb/Draw.h"
#include "lib2/wvw/WMenuItem.h"

namespace wvw {

WMenu::WMenu() : WFrame(false) {}

WMenu::~WMenu() { items_.clear(); }

void WMenu::addItem(WMenuItem* item, WMenuItem* before) {
  PLAT_ASSERT(item);
  auto at = std::find(items_.begin(), items_.end(), item);
  if (at != items_.end()) {
    items_.erase(at);
    remove(item);
  }
  at = std::find(items_.begin(), items_.end(), before);
  WMenuItem* childBefore = at == items_.end() ? nullptr : before;
  items_.insert(at, item);
  add(item, childBefore);
  item->menu_ = this;
  updateAnyCheckable();
  layout();
}

void WMenu::remItem(WMenuItem* item) {
  auto at = std::find(items_.begin(), items_.end(), item);
  if (at != items_.end()) {
    items_.erase(at);
    remove(item);
    item->menu_ = nullptr;
  }
  layout();
}

WMenuItem* WMenu::addSeparator(WMenuItem* before) {
  auto* item = new WMenuItem(nullptr, nullptr, false);
  addItem(item, before);
  return item;
}

void WMenu::setRowSpace(int rowSpace) {
  rowSpace_ = rowSpace;
  layout();
}

void WMenu::setMinWidth(int minWidth) {
  minWidth_ = minWidth;
  layout();
}

void WMenu::setMaxHeight(int maxHeight) {
  maxHeight_ = maxHeight;
  layout();
}

void WMenu::updateAnyCheckable() {
  bool any = std::any_of(items_.begin(), items_.end(),
                         [](const WMenuItem* i) { return i->isCheckable(); });
  if (any == anyCheckable_) return;
  anyCheckable_ = any;
  for (WMenuItem* item : items_) item->layout();
}

void WMenu::layout() {
  std::vector<WMenuItem*> visible;
  for (WMenuItem* item : items_) {
    if (item->isVisible()) {
      visible.push_back(item);
      continue;
    }
    setPos(item, plat::Point());
    item->setSize(plat::Point());
  }
  int itemWidth = 0;
  for (WMenuItem* item : visible) itemWidth = std::max(itemWidth, item->getMinSize().x);
  for (WMenuItem* item : visible) {
    // Through (0,0) so that every item hears a resize, even at its old size.
    item->setSize(plat::Point());
    item->setSize(plat::Point(itemWidth, item->getMinSize().y));
  }
  // Halve the column height until the menu fits. A limit no column can meet
  // stops once a pass no longer lowers the height, instead of halving forever.
  int limit = INT_MAX;
  int lastHeight = INT_MAX;
  for (;;) {
    placeColumns(visible, itemWidth, limit);
    int height = size_.y;
    if (maxHeight_ == 0 || height <= maxHeight_ || height >= lastHeight) break;
    lastHeight = height;
    limit = height / 2;
  }
}

void WMenu::placeColumns(const std::vector<WMenuItem*>& visible, int itemWidth, int limit) {
  plat::Point pos;
  std::vector<int> column;
  int columns = visible.empty() ? 0 : 1;
  for (WMenuItem* item : visible) {
    int step = item->getMinSize().y + rowSpace_;
    // An item taller than the limit still gets a column of its own, not an
    // empty one in front of it.
    if (pos.y > 0 && pos.y + step > limit) {
      pos = plat::Point(pos.x + itemWidth, 0);
      columns++;
    }
    setPos(item, pos);
    column.push_back(columns - 1);
    pos.y += step;
  }
  if (columns > 0 && pos.x + itemWidth < minWidth_) {
    for (size_t i = 0; i < visible.size(); i++) {
      plat::Point at = getChildPos(visible[i]);
      int k = column[i];
      setPos(visible[i], plat::Rect(minWidth_ * k / columns, at.y, minWidth_ * (k + 1) / columns,
                                    at.y + visible[i]->getSize().y));
    }
  }
  resizeToFit(4);
}

bool WMenu::handleKeyEvent(unsigned int keysym, bool down, Widget* w) {
  if (down) {
    unsigned int key = keysym >= 0x41 && keysym <= 0x5A ? keysym | 0x20 : keysym;
    for (WMenuItem* item : items_) {
      unsigned int hk = unsigned(item->hotkey());
      // No hotkey (0) never matches, not even a key reported as 0.
      if (hk == 0 || !item->isEnabled()) continue;
      if ((hk >= 0x41 && hk <= 0x5A ? hk | 0x20 : hk) != key) continue;
      item->handleClick(item);
      return true;
    }
  }
  return WFrame::handleKeyEvent(keysym, down, w);
}

bool WMenu::handleVisible(Widget* w) {
  layout();
  return WFrame::handleVisible(w);
}

bool WMenu::handleStart(Widget* w) {
  if (w == this) {
    styleChanged();
    layout();
  }
  return WFrame::handleStart(w);
}

void WMenu::styleChanged() {
  highlightStyle_ = *getStyle();
  highlightStyle_.textColour = highlightStyle_.highlightTextColour;
  highlightStyle_.fieldDisabledColour = highlightStyle_.highlightColour;
  highlightStyle_.backgroundColour = highlightStyle_.highlightColour;
  WFrame::styleChanged();
}

void WMenu::render(fb::WritablePixelBuffer* pb) {
  fb::fillRect(pb, plat::Rect(plat::Point(1, 1), size_ - plat::Point(1, 1)),
               toPixel(getStyle()->backgroundColour, pb));
  fb::outlineRect(pb, plat::Rect(plat::Point(), size_), toPixel(getStyle()->bevelLowColour, pb), 1);
  WLayout::render(pb);
}

}  // namespace wvw
