#include "lib2/wvw/WLabelCheckBox.h"

namespace wvw {

WLabelCheckBox::WLabelCheckBox(const char* label, const char* text, WCheckBox::State state)
    : WLabelWidget(label, 0, -1), checkBox_(text, state) {
  setVerticalAlignment(Top);
  setChild(&checkBox_);
}

bool WLabelCheckBox::handlePtrPress(unsigned char button, Widget* w) {
  if (w == &label_ && button == 0) {
    checkBox_.requestFocus();
    return true;
  }
  return Widget::handlePtrPress(button, w);
}

bool WLabelCheckBox::handlePtrRelease(unsigned char button, Widget* w) {
  if (w == &label_ && button == 0 && checkBox_.handleClick(&checkBox_)) return true;
  return Widget::handlePtrRelease(button, w);
}

}  // namespace wvw
