#include "lib2/wvw/WChoice.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "lib1/plat/Assert.h"
#include "lib2/fb/Keysyms.h"

namespace wvw {

WChoice::WChoice(WLayout* owner, bool editable, bool caseSensitive, int maxLen)
    : WLayout(true),
      owner_(owner),
      caseSensitive_(caseSensitive),
      text_(maxLen, editable),
      menu_(nullptr),
      button_(&menu_) {
  // Both get the field's height now; the widths follow at the first resize.
  int h = text_.getMinSize().y;
  add(&text_, plat::Rect(0, 0, 0, h), nullptr);
  add(&button_, plat::Rect(0, 0, 19, h), nullptr);
  text_.editable = editable;
  menu_.setVisible(false);
  // Asked first, so the items' clicks come here.
  menu_.setInputHandler(this);
}

WChoice::~WChoice() {
  // A shown menu is hosted by a popup window, which must let it go before
  // its items are taken out and freed. They are taken out here, in id order,
  // rather than left to the map's destruction, whose order is the library's:
  // so what the menu reports meanwhile repeats run after run.
  if (menu_.isVisible()) menu_.hide();
  remAllItems();
  menu_.setInputHandler(nullptr);
}

const char* WChoice::textOf(WMenuItem& item) {
  const char* t = item.label().getLabel();
  return t ? t : "";
}

WMenuItem* WChoice::itemOf(const Widget* w) const {
  for (const auto& [id, item] : items_)
    if (item.get() == w) return item.get();
  return nullptr;
}

void WChoice::addItem(int id, const char* str) {
  PLAT_ASSERT_MSG(str, "choice item %d without text", id);
  remItem(id);
  // Made with an empty text and labelled afterwards: the text is shown as
  // given, with no hotkey marks taken out of it.
  auto item = std::make_unique<WMenuItem>(nullptr, "", false);
  item->setLabel(str, 0);
  item->layout();
  menu_.addItem(item.get(), nullptr);
  items_[id] = std::move(item);
}

void WChoice::remItem(int id) {
  auto at = items_.find(id);
  if (at == items_.end()) return;
  menu_.remItem(at->second.get());
  items_.erase(at);
}

void WChoice::remAllItems() {
  for (auto& entry : items_) menu_.remItem(entry.second.get());
  items_.clear();
}

void WChoice::setStr(const char* s) {
  if (s && std::strcmp(getStr(), s) == 0) return;
  text_.setText(s, false);
  handleChanged(this);
}

void WChoice::setStr(const char* s, int id) {
  for (const auto& entry : items_) {
    if (s && std::strcmp(textOf(*entry.second), s) == 0) return setStr(s);
  }
  setId(id);
}

void WChoice::setId(int id) {
  auto at = items_.find(id);
  setStr(at == items_.end() ? "" : textOf(*at->second));
}

int WChoice::getId() const {
  for (const auto& [id, item] : items_)
    if (std::strcmp(textOf(*item), getStr()) == 0) return id;
  return -1;
}

int WChoice::next(bool forward) {
  if (items_.empty()) return -1;
  auto match = std::find_if(items_.begin(), items_.end(), [this](const auto& entry) {
    return std::strcmp(textOf(*entry.second), getStr()) == 0;
  });
  auto result = items_.begin();
  if (forward) {
    if (match != items_.end() && std::next(match) != items_.end()) result = std::next(match);
  } else {
    result = match == items_.end() || match == items_.begin() ? std::prev(items_.end())
                                                              : std::prev(match);
  }
  int id = result->first;
  setId(id);
  return id;
}

void WChoice::selectChoice() {
  if (text_.editable) text_.select(0, -1);
}

void WChoice::getEntries(std::list<plat::String>* out) const {
  for (const auto& [id, item] : items_) {
    std::string entry = std::to_string(id) + ":" + textOf(*item);
    out->emplace_back(entry.c_str());
  }
}

void WChoice::enableAutocomplete(bool on) {
  std::list<plat::String> texts;
  if (on)
    for (const auto& entry : items_) texts.emplace_back(textOf(*entry.second));
  text_.setAutocompleteStrings(texts, caseSensitive_);
}

void WChoice::setEnabled(bool enabled) {
  text_.setEnabled(enabled);
  button_.setEnabled(enabled);
  Widget::setEnabled(enabled);
}

plat::Point WChoice::getMinSize() const {
  int widest = 0;
  for (const auto& entry : items_) widest = std::max(widest, entry.second->getMinSize().x + 8);
  plat::Point button = button_.getSize();
  return plat::Point(widest + button.x, button.y);
}

bool WChoice::handleResize(Widget* w) {
  if (w != this) return Widget::handleResize(w);
  int bw = button_.getSize().x;
  // The field runs on under the button, whose bevel covers its right edge.
  setPos(&text_, plat::Rect(0, 0, std::max(0, size_.x - bw + 4), text_.getSize().y));
  setPos(&button_, plat::Point(size_.x - bw, 0));
  menu_.setMinWidth(std::max(0, size_.x - 7));
  return true;
}

bool WChoice::handleClick(Widget* w) {
  if (w == &button_) {
    if (!items_.empty()) menu_.show(plat::Point(0, size_.y), this);
    return true;
  }
  WMenuItem* item = itemOf(w);
  if (!item) return Widget::handleClick(w);
  setStr(textOf(*item));
  selectChoice();
  menu_.hide();
  // The owner hears of the pick as a click on the field.
  Widget::handleClick(&text_);
  return true;
}

bool WChoice::handleFocus(bool reverse, Widget* w) {
  // The menu opens on the current value, so that a Return at once keeps it
  // rather than picking whatever item comes first. The menu has the focus
  // only once its popup window is up, which may be after show() returned.
  if (w == &menu_ && menu_.hasFocus()) {
    auto current = items_.find(getId());
    if (current != items_.end()) current->second->requestFocus();
  }
  return WLayout::handleFocus(reverse, w);
}

bool WChoice::handleKeyEvent(unsigned int keysym, bool down, Widget* w) {
  if (down && w == &text_ && (keysym == fb::keysym::Up || keysym == fb::keysym::Down)) {
    next(keysym == fb::keysym::Down);
    selectChoice();
    return true;
  }
  // Asked afresh on every key: the window layer may have hidden the menu
  // since it was shown, and then the keys are the button's again.
  if (!down || w != &button_ || !menu_.isVisible()) return Widget::handleKeyEvent(keysym, down, w);
  switch (keysym) {
    case fb::keysym::Escape:
      menu_.hide();
      break;
    case fb::keysym::Return:
      if (Widget* focused = menu_.getFocusedChild()) handleClick(focused);
      break;
    case fb::keysym::Tab:
      isShiftPressed() ? menu_.focusPrev() : menu_.focusNext();
      break;
    case fb::keysym::Up:
      menu_.focusPrev();
      break;
    case fb::keysym::Down:
      menu_.focusNext();
      break;
    default:
      break;
  }
  return true;
}

}  // namespace wvw
