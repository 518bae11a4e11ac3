// A labelled drop-down choice: the label at its minimum width, the choice
// (owned, with this row as its owner) taking the rest of the row.
#pragma once

#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WChoice.h"
#include "lib2/wvw/WLabelWidget.h"

namespace wvw {

class WLabelChoice : public WLabelWidget {
 public:
  WLabelChoice(const char* label, bool editable, bool caseSensitive, int maxLen);

  WChoice* getChoice() { return &choice_; }

 private:
  WChild<WChoice> choice_;
};

}  // namespace wvw
