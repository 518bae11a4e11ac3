// PermissionsDialog: the tool's one window. It hosts the permissions editor,
// filled from the host's user and group accounts, and adds below it a box
// with the text of the `Permissions` parameter, two buttons that copy
// between the list and the box ("Refresh Parameter" down into the box,
// "Refresh Users & Groups" up into the list), and an "About" link. Closing
// the window ends the application loop with code 0; its destruction by
// another client ends it with code 1, and windowDestroyed() then holds.
//
// The list and the box are independent: neither follows the other until a
// refresh button is pressed. Every change in the list is already stored in
// `Permissions` at priority 50. A box text that is not a valid list (a bad
// escape, or a principal list that does not parse) is refused with a message
// box, changing nothing; a configured value that does not parse is logged
// and put into the box, so that it can be corrected rather than lost, and
// nothing is stored over it until a text that parses is read from the box.
//
// While it lives the dialog's name resolver is the process-wide one.
#pragma once

#include <memory>
#include <optional>

#include "lib2/mui/Forward.h"
#include "libs/smisc/NameResolverSystemAuth.h"
#include "libs/sui/PermissionsEditorImpl.h"

namespace plat {
class ConfigParameter;
}

namespace ui {
class AboutDialog;
}

namespace smisc {
class PermissionsSchemeSystemAuth;
}

class PermissionsDialog : public sui::PermissionsEditorImpl {
 public:
  // Needs the dialog model bound to a back end.
  PermissionsDialog();
  ~PermissionsDialog() override;

  // Shows the window and loads the list from `Permissions`.
  void show();

  mui::MuDialog* getDialog() override { return dialog_.get(); }
  plat::Configuration* getConfig() override;

  void addPrincipal(int index, const char* name, const char* image) override;
  void removePrincipal(int index) override;

  void elementEvent(mui::MuElement* source, int code) override;
  void elementClicked(mui::MuElement* source) override;
  void dialogClosed(mui::MuDialog* dialog) override;

  mui::MuEdit* getEdit() const { return edit_; }
  bool windowDestroyed() const { return windowDestroyed_; }

 private:
  void enableControls(bool on);
  void showControls();
  // The box's text into `Permissions`, and the list rebuilt from it.
  void refreshFromText();
  // The list into `Permissions`, and its text into the box; refused while
  // `Permissions` holds a value that does not parse.
  void refreshText();
  // Tells that text, as it stood in the box, is no valid list.
  void showInvalid(const char* text);
  mui::MuElement* element(const char* path) const;
  plat::ConfigParameter* permissions();
  plat::String permissionsValue();

  std::unique_ptr<mui::MuDialog> dialog_;
  mui::MuLayout* mainLayout_ = nullptr;
  mui::MuEdit* edit_ = nullptr;
  mui::MuButton* refreshText_ = nullptr;
  mui::MuButton* refreshUi_ = nullptr;
  mui::MuButton* aboutLink_ = nullptr;
  // Made when first asked for: it is a window of its own.
  std::unique_ptr<ui::AboutDialog> aboutDialog_;
  smisc::PermissionsSchemeSystemAuth* systemScheme_ = nullptr;
  smisc::NameResolverSystemAuth resolver_;
  int selected_ = 0;
  bool windowDestroyed_ = false;
};
