#include "lib2/wvw/WLabelCheckBoxHK.h"

namespace wvw {

WLabelCheckBoxHK::WLabelCheckBoxHK(const char* label, const char* text)
    : WLabelCheckBox(nullptr, text, WCheckBox::Unchecked) {
  label_.setLabel(label);
  label_.processHotkeyText();
}

}  // namespace wvw
