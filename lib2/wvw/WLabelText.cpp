#include "lib2/wvw/WLabelText.h"

namespace wvw {

WLabelText::WLabelText(const char* label, int maxLen)
    : WLabelWidget(label, 0, -1), text_(maxLen, nullptr, true) {
  setChild(&text_);
}

}  // namespace wvw
