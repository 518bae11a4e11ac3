// A labelled text entry field: the label at its minimum width, the field
// (owned, with its edit menu enabled) taking the rest of the row.
#pragma once

#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WLabelWidget.h"
#include "lib2/wvw/WText.h"

namespace wvw {

class WLabelText : public WLabelWidget {
 public:
  WLabelText(const char* label, int maxLen);

  WText* getText() { return &text_; }

 private:
  WChild<WText> text_;
};

}  // namespace wvw
