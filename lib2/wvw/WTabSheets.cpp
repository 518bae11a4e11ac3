#include "lib2/wvw/WTabSheets.h"

#include <algorithm>

#include "lib1/plat/Assert.h"
#include "lib2/fb/Keysyms.h"

namespace wvw {

WTabSheets::WTabSheets() : WLayout(true) {
  leftButton_.setSize(plat::Point());
  rightButton_.setSize(plat::Point());
  add(&tabStrip_, plat::Point(), nullptr);
  layout();
}

void WTabSheets::checkIndex(int index) const {
  PLAT_ASSERT_MSG(index >= 0, "index >= 0");
  PLAT_ASSERT_MSG(index < (int)sheets_.size(), "index < (int)sheets.size()");
}

WSheet* WTabSheets::getSheet(int index) const {
  checkIndex(index);
  return sheets_[size_t(index)].get();
}

WTab* WTabSheets::getTab(int index) const {
  checkIndex(index);
  return tabs_[size_t(index)].get();
}

int WTabSheets::addSheet(const char* name, Widget* page, int index) {
  PLAT_ASSERT_MSG(index >= -1 && index <= (int)sheets_.size(), "index out of range: %d", index);
  auto tab = std::make_unique<WTab>(name);
  plat::Point min = tab->getMinSize();
  tab->setSize(min + plat::Point(6, 4));
  if (leftButton_.getSize().y == 0) {
    plat::Point arrow(min.y * 85 / 100, min.y);
    leftButton_.setSize(arrow), rightButton_.setSize(arrow);
  }
  auto sheet = std::make_unique<WSheet>(page);
  WTab* t = tab.get();
  WSheet* s = sheet.get();
  if (index < 0) {
    int x = 0;
    for (auto& other : tabs_) x += other->getSize().x;
    tabStrip_.add(t, plat::Point(x, 0), nullptr);
    tabs_.push_back(std::move(tab));
    sheets_.push_back(std::move(sheet));
    index = (int)sheets_.size() - 1;
  } else {
    tabStrip_.add(t, plat::Point(), nullptr);
    tabs_.insert(tabs_.begin() + index, std::move(tab));
    sheets_.insert(sheets_.begin() + index, std::move(sheet));
    int x = 0;
    for (auto& other : tabs_)
      tabStrip_.setPos(other.get(), plat::Point(x, 0)), x += other->getSize().x;
    if (selected_ >= index) selected_++;
  }
  s->tabRect = tabStrip_.getChildRect(t);
  layout();
  return index;
}

void WTabSheets::removeSheet(int index) {
  checkIndex(index);
  if (index == selected_) {
    remove(sheets_[size_t(index)].get());
    selected_ = -1;
  }
  tabStrip_.remove(tabs_[size_t(index)].get());
  sheets_.erase(sheets_.begin() + index);
  tabs_.erase(tabs_.begin() + index);
  if (selected_ > index) selected_--;
  layout();
  invalidate();
}

void WTabSheets::setSelected(int index) {
  PLAT_ASSERT_MSG(index >= -1, "index >= -1");
  PLAT_ASSERT_MSG(index < (int)sheets_.size(), "index < (int)sheets.size()");
  for (Callback* cb : callbacks_)
    if (!cb->tabChanged(selected_, index)) return;
  if (selected_ >= 0) remove(sheets_[size_t(selected_)].get());
  if (index >= 0) {
    add(sheets_[size_t(index)].get(), plat::Point(0, leftButton_.getSize().y - 1), nullptr);
    WTab* tab = tabs_[size_t(index)].get();
    tab->requestFocus();
    plat::Rect r = tabStrip_.getChildRect(tab);
    int left = r.tl.x + scrollOffset_, right = r.br.x + scrollOffset_;
    int visible = tabStrip_.getSize().x + scrollOffset_;
    if (left < 0)
      scrollOffset_ += std::min(10 - left, visible - right);
    else if (right > visible)
      scrollOffset_ += std::max(visible - right - 10, -left);
  }
  selected_ = index;
  layout();
  invalidate();
}

void WTabSheets::setTabName(int index, const char* name) {
  PLAT_ASSERT_MSG(index >= 0, "index >= 0");
  PLAT_ASSERT_MSG(index < (int)tabs_.size(), "index < (int)tabs.size()");
  WTab* tab = tabs_[size_t(index)].get();
  tab->getLabel()->setLabel(name);
  tab->setSize(plat::Point());
  tab->setSize(tab->getMinSize() + plat::Point(6, 4));
  // The tabs after it move along with its new width, and the sheet opens
  // under it anew.
  int x = 0;
  for (auto& other : tabs_)
    tabStrip_.setPos(other.get(), plat::Point(x, 0)), x += other->getSize().x;
  layout();
  invalidate();
}

void WTabSheets::setPadding(int p) {
  for (auto& sheet : sheets_) sheet->padding = p;
}

plat::Point WTabSheets::getSheetPos() const {
  PLAT_ASSERT_MSG(selected_ >= 0, "no sheet is shown");
  WSheet* s = sheets_[size_t(selected_)].get();
  plat::Point page = s->getPage() ? s->getChildPos(s->getPage()) : plat::Point();
  return page + getChildPos(s);
}

void WTabSheets::removeCallback(Callback* cb) {
  auto it = std::find(callbacks_.begin(), callbacks_.end(), cb);
  if (it != callbacks_.end()) callbacks_.erase(it);
}

void WTabSheets::layout() {
  plat::Point arrow = leftButton_.getSize();
  int width = size_.x, rowWidth = tabStrip_.WLayout::getMinSize().x;
  bool arrows = width < rowWidth;
  if (arrows && !arrowsShown_) {
    add(&leftButton_, plat::Point(), nullptr);
    add(&rightButton_, plat::Point(), nullptr);
  } else if (!arrows && arrowsShown_) {
    remove(&leftButton_), remove(&rightButton_);
  }
  arrowsShown_ = arrows;
  int visible = arrows ? width - 2 * arrow.x : width;
  int minOffset = std::min(0, visible - rowWidth);
  rightButton_.setEnabled(scrollOffset_ > minOffset);
  scrollOffset_ = std::max(scrollOffset_, minOffset);
  leftButton_.setEnabled(scrollOffset_ < 0);
  scrollOffset_ = std::min(scrollOffset_, 0);
  setPos(&tabStrip_, plat::Rect(scrollOffset_, 0, visible, arrow.y));
  for (auto& sheet : sheets_) sheet->tabOffset = scrollOffset_;
  if (arrows) {
    setPos(&leftButton_, plat::Point(width - 2 * arrow.x, 2));
    setPos(&rightButton_, plat::Point(width - arrow.x, 2));
  }
  if (selected_ < 0) return;
  sheets_[size_t(selected_)]->setSize(plat::Point(width, size_.y - arrow.y));
  int x = 0;
  for (size_t i = 0; i < tabs_.size(); i++) {
    tabs_[i]->setState(&tabStrip_, x, (int)i == selected_);
    sheets_[i]->tabRect = tabStrip_.getChildRect(tabs_[i].get());
    x += tabs_[i]->getSize().x;
  }
}

bool WTabSheets::handleClick(Widget* w) {
  if (w == &leftButton_ || w == &rightButton_) {
    scrollOffset_ += w == &leftButton_ ? 25 : -25;
    tabStrip_.invalidate();
    layout();
    invalidate();
    return true;
  }
  for (size_t i = 0; i < tabs_.size(); i++) {
    if (w == tabs_[i].get()) {
      setSelected((int)i);
      return true;
    }
  }
  return false;
}

bool WTabSheets::handleKeyEvent(unsigned int keysym, bool down, Widget* w) {
  if (keysym == fb::keysym::Tab && down && isCtrlPressed()) {
    int n = (int)sheets_.size();
    if (n > 0)
      setSelected(isShiftPressed() ? (selected_ <= 0 ? n : selected_) - 1 : (selected_ + 1) % n);
    return true;
  }
  return Widget::handleKeyEvent(keysym, down, w);
}

bool WTabSheets::handleResize(Widget* w) {
  if (w == this) layout();
  return true;
}

plat::Point WTabSheets::getMinSize() const {
  plat::Point m;
  for (auto& sheet : sheets_) {
    plat::Point s = sheet->getMinSize();
    m = plat::Point(std::max(m.x, s.x), std::max(m.y, s.y));
  }
  return m + plat::Point(0, leftButton_.getSize().y);
}

}  // namespace wvw
