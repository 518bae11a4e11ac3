// mui::MuButtonBar: the row of standard dialog buttons (OK, Cancel, Yes,
// No, ...) asked for by a set of ButtonId bits, labelled in the current
// language, in a fixed order behind a flexible gap, with custom buttons of
// the caller's left of the gap. It is a plain object, not an element: it
// builds its elements in the container it is given, which owns them, and
// remembers which button stands for which id.
//
// Invariants: every button the bar remembers is a child of its layout; the
// spacer stays for the bar's whole life, and the place of the next custom
// button is always the spacer or a custom button still alive.
//
// The bar takes its frame (or its layout) out of the container when it
// goes, so it must go before that container does.
#pragma once

#include <utility>
#include <vector>

#include "lib2/mui/MuButton.h"
#include "lib2/mui/MuDialog.h"
#include "lib2/mui/MuFrame.h"
#include "lib2/mui/MuLayout.h"
#include "lib2/mui/MuStatic.h"

namespace mui {

class MuButtonBar {
 public:
  enum ButtonId {
    Ok = 1,
    Cancel = 2,
    Apply = 4,
    Yes = 8,
    No = 16,
    Back = 32,
    Next = 64,
    Finish = 128,
    Continue = 256,
    Help = 512,
    Save = 1024,
    Open = 2048,
    Custom = 4096,
  };

  // In a dialog the buttons stand in a footer frame "buttons", the dialog's
  // bottom panel; in any other container in a row layout "buttons". Custom
  // in buttons is a broken invariant. setKeys binds Return and Escape.
  MuButtonBar(MuContainer* parent, int buttons, bool setKeys);
  ~MuButtonBar();
  MuButtonBar(const MuButtonBar&) = delete;
  MuButtonBar& operator=(const MuButtonBar&) = delete;

  // Replaces every button, custom ones too.
  void setButtons(int buttons);
  // A standard button, or with Custom a button with the caller's id and
  // label, placed left of the custom buttons added before it. Null when id
  // is not exactly one known bit.
  MuButton* addButton(int id, const char* customId = nullptr, const char* customLabel = nullptr);
  // The first button for id; for Custom its element id must equal customId
  // too (two nulls are equal). Null when none.
  MuButton* lookupButton(ButtonId id, const char* customId = nullptr) const;
  // The ButtonId of a button of this bar, else 0.
  int isButton(const MuElement* element) const;
  // Binds key to the first existing button of the 0-terminated candidates.
  // Nothing happens when none exists or the bar is in no dialog.
  void setDialogKeyButton(ActionKey key, const ButtonId* candidates);
  // Return to the first of OK, Yes, Finish, Continue, Next, Save, Open;
  // Escape to Cancel or else No.
  void setDialogKeyButtons();

  MuFrame* getFrame() const { return frame_; }
  MuLayout* getLayout() const { return layout_; }

 private:
  MuContainer* parent_;
  MuFrame* frame_ = nullptr;
  MuLayout* layout_ = nullptr;
  MuStatic* spacer_ = nullptr;
  MuElement* lastCustom_ = nullptr;
  // In the order they were added.
  std::vector<std::pair<MuButton*, int>> buttons_;
};

}  // namespace mui
