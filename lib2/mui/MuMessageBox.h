// mui::MuMessageBox: a short message with an optional detail text, a status
// icon and one of three button sets (OK; OK and Cancel; Yes and No), built
// from dialog-model elements alone. show() tells whether the answer was
// positive: OK or Yes.
//
// The flags: the low four bits choose the buttons (0 OK, 1 OK and Cancel,
// 4 Yes and No; any other value is taken as OK, so that every box can be
// answered); 0x10 error, 0x20 question and 0x30 warning icon, else the
// information icon; 0x80 no icon at all; any bit of 0xF00 makes Cancel or
// No the default button, which Return clicks and which has the focus.
//
// The box owns its dialog and the button bar, and hears the dialog's events
// as its observer. A Yes/No box cannot be closed through the window
// manager; closing any other counts as Cancel when there is one, else OK.
#pragma once

#include <memory>

#include "lib2/mui/MuButtonBar.h"
#include "lib2/mui/MuDialog.h"

class TXWindow;

namespace mui {

class MuMessageBox : public MuObserver {
 public:
  enum Flag {
    ButtonsMask = 0x0F,
    OkButtons = 0,
    OkCancelButtons = 1,
    YesNoButtons = 4,
    ErrorIcon = 0x10,
    QuestionIcon = 0x20,
    WarningIcon = 0x30,
    IconMask = 0xF0,
    NoIcon = 0x80,
    NegativeDefault = 0xF00,
  };

  // Builds the box without showing it. caption is added to the title; a
  // code-modal box runs a loop of its own in show().
  MuMessageBox(MuDialog* parentDialog, const char* message, int flags, const char* caption,
               const char* detail, bool codeModal, TXWindow* ownerWindow);
  ~MuMessageBox() override;
  MuMessageBox(const MuMessageBox&) = delete;
  MuMessageBox& operator=(const MuMessageBox&) = delete;

  // Shows the box. Code-modal: returns once it was answered or closed, true
  // for OK or Yes. Otherwise returns false at once.
  bool show();

  // The icon's image name; the NoIcon bit is not looked at.
  static const char* getIconForFlags(int flags);

  MuDialog* getDialog() const { return dialog_.get(); }

  void elementClicked(MuElement* element) override;
  void dialogClosed(MuDialog* dialog) override;

 private:
  // Destroyed in reverse: the bar leaves the dialog before the dialog goes.
  std::unique_ptr<MuDialog> dialog_;
  std::unique_ptr<MuButtonBar> buttonBar_;
  bool result_ = false;
};

}  // namespace mui
