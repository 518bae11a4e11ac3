// smisc::AddPrincipalDialog: the small code-modal dialog that asks for the
// kind and the name of a principal to add ("Add user or group"). show()
// runs it and tells whether OK closed it; the typed name is then read with
// getName() while the object lives.
//
// OK is usable exactly while the name could be stored as a principal of the
// chosen kind: not empty, no "," or ":", and for a user no leading "%".
// Blanks are allowed. Such a name would read back from the `Permissions`
// text as other principals, or as a group, so it is refused here, where the
// person typing it can see why nothing happens.
#pragma once

#include <memory>

#include "lib2/mui/Forward.h"
#include "lib2/mui/MuObserver.h"

namespace smisc {

class AddPrincipalDialog : public mui::MuObserver {
 public:
  // parent may be null; the dialog is centred over it.
  explicit AddPrincipalDialog(mui::MuDialog* parent);
  ~AddPrincipalDialog() override;
  AddPrincipalDialog(const AddPrincipalDialog&) = delete;
  AddPrincipalDialog& operator=(const AddPrincipalDialog&) = delete;

  // Starts afresh (User, an empty name), runs the dialog and returns true
  // when OK closed it; Cancel and the window manager's close give false.
  bool show();
  // The edit's text: valid until the next change, never null.
  const char* getName() const;
  bool isGroup() const;

  mui::MuDialog* getDialog() const { return dialog_.get(); }

  void elementClicked(mui::MuElement* source) override;
  void elementChanged(mui::MuElement* source) override;

 private:
  void updateOk();

  // Destroyed in reverse: the bar leaves the dialog before the dialog goes.
  std::unique_ptr<mui::MuDialog> dialog_;
  mui::MuChoice* typeChoice_ = nullptr;
  mui::MuEdit* nameEdit_ = nullptr;
  std::unique_ptr<mui::MuButtonBar> buttonBar_;
  bool accepted_ = false;
};

}  // namespace smisc
