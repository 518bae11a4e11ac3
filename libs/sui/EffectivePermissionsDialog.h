// sui::EffectivePermissionsDialog: shows, for one permission set, every
// registered feature with a picture that tells whether the set allows it
// ("accept") or not ("deny": unset and denied alike). A server options page
// keeps one and shows it on demand.
//
// The object owns its dialog, built hidden at construction, and hears the
// dialog's events as its observer; OK hides the dialog and leaves the object
// ready for the next show(), which fills the rows afresh.
#pragma once

#include <memory>

#include "lib2/mui/Forward.h"
#include "lib2/mui/MuObserver.h"

namespace svr {
class Permissions;
}

namespace sui {

class EffectivePermissionsDialog : public mui::MuObserver {
 public:
  // The list's column ids: the image comes first on screen.
  enum Column { NameColumn = 0, ImageColumn = 1 };

  EffectivePermissionsDialog();
  ~EffectivePermissionsDialog() override;
  EffectivePermissionsDialog(const EffectivePermissionsDialog&) = delete;
  EffectivePermissionsDialog& operator=(const EffectivePermissionsDialog&) = delete;

  // One row per registered feature, in the registry's order; then shows
  // the dialog. Always true.
  bool show(const svr::Permissions& permissions);

  void elementClicked(mui::MuElement* source) override;

  mui::MuDialog* getDialog() const { return dialog_.get(); }
  mui::MuList* getList() const { return list_; }
  mui::MuButton* getOkButton() const { return okButton_; }

 private:
  std::unique_ptr<mui::MuDialog> dialog_;
  mui::MuList* list_;
  mui::MuButton* okButton_;
};

}  // namespace sui
