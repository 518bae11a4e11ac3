#include "lib2/wvw/WLabelChoice.h"

namespace wvw {

WLabelChoice::WLabelChoice(const char* label, bool editable, bool caseSensitive, int maxLen)
    : WLabelWidget(label, 0, -1), choice_(this, editable, caseSensitive, maxLen) {
  setChild(&choice_);
}

}  // namespace wvw
