#include "lib2/wvw/WLabelText.h"

namespace wvw {

WLabelText::WLabelText(const char* label, int maxLen)
    : WLabelWidget(label, 0, -1), text_(maxLen, nullptr, true) {
  setChild(&text_);
}

// The field goes before the layout that lists it.
WLabelText::~WLabelText() { setChild(nullptr); }

}  // namespace wvw
