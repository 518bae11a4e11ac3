// sui::PermissionsSchemeEditor: the face the permissions editor turns to a
// scheme, and the only way a scheme reaches the editor. Through it a scheme
// fills the principal list, adds its own buttons, enables them and shows a
// help text; it never touches the editor's controls.
//
// Rows are named by scheme index: 0 is the scheme's first principal, in the
// scheme's own order. An editor hosted by a page with global and guest rows
// also uses PermissionsEditorImpl::GLOBAL and GUEST.
//
// Everything runs on the one UI thread. The optional operations do nothing
// (or answer null) unless an editor overrides them, so a minimal editor
// implements only the four that keep the list.
#pragma once

#include "lib2/mui/Forward.h"

namespace plat {
class Configuration;
}

namespace sui {

class PermissionsSchemeEditor {
 public:
  virtual ~PermissionsSchemeEditor();

  // The parent of the scheme's own dialogs, or null.
  virtual mui::MuDialog* getDialog() { return nullptr; }
  // The registry in which the scheme finds its parameter, or null.
  virtual plat::Configuration* getConfig() { return nullptr; }
  // Shows text under the editor's controls; null hides it.
  virtual void showHelp(const char*) {}
  // tip may be null.
  virtual void addButton(const char*, const char*, const char*) {}
  // focusId names the button that takes the keyboard focus when the button
  // being disabled has it, or is null.
  virtual void enableButton(const char*, bool, const char*) {}

  // Inserts a row at index showing name and the named image.
  virtual void addPrincipal(int index, const char* name, const char* image) = 0;
  virtual void removePrincipal(int index) = 0;
  virtual void selectPrincipal(int index) = 0;
  // The scheme index of the selected row, or GLOBAL or GUEST.
  virtual int getCurrentPrincipalIndex() = 0;
};

}  // namespace sui
