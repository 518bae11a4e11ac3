// A labelled check box whose label text carries hotkey marks ("&x"), shown
// without them. It starts unchecked.
#pragma once

#include "lib2/wvw/WLabelCheckBox.h"

namespace wvw {

class WLabelCheckBoxHK : public WLabelCheckBox {
 public:
  WLabelCheckBoxHK(const char* label, const char* text);
};

}  // namespace wvw
