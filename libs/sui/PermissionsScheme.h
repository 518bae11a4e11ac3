// sui::PermissionsScheme: where the principals of a permissions editor come
// from and where their permission sets are kept, one scheme per kind of
// authentication. The editor owns the schemes added to it and speaks to each
// only through this interface; a scheme answers through the editor face it
// was given.
//
// Calling order: the editor calls init() once to have the list filled, then,
// on every change of the selected row, principalSelected() and
// getPermissions() for the new row; after each edit of that set,
// permissionChanged(); button clicks and double clicks arrive as
// buttonPressed() and editPrincipal(). The set returned by getPermissions()
// stays valid until the scheme's list changes; the editor writes into it.
//
// Invariant: the editor face is never null and outlives the scheme.
#pragma once

namespace svr {
class Permissions;
}

namespace sui {

class PermissionsSchemeEditor;

class PermissionsScheme {
 public:
  explicit PermissionsScheme(PermissionsSchemeEditor* editor);
  virtual ~PermissionsScheme();
  PermissionsScheme(const PermissionsScheme&) = delete;
  PermissionsScheme& operator=(const PermissionsScheme&) = delete;

  // Fills the editor with the scheme's principals and buttons.
  virtual void init() = 0;
  // The set of principal index, edited in place by the editor. The caller
  // presets *locked false, *enabled true and *flag false; locked locks the
  // level choice and the ticks, enabled enables them.
  virtual svr::Permissions* getPermissions(int index, bool* locked, bool* enabled, bool* flag) = 0;
  // After the editor changed principal index in place: letter is the
  // feature ticked or cleared, or 0 when a level replaced the whole set.
  virtual void permissionChanged(int, char) {}
  // index is a scheme index, GLOBAL or GUEST.
  virtual void principalSelected(int) {}
  // id is one the scheme passed to addButton.
  virtual void buttonPressed(const char*) {}
  // A principal row was double-clicked.
  virtual void editPrincipal() {}
  virtual bool hasPolicySettings() const { return false; }
  // Asked before a host page accepts its settings; isCurrent is true for
  // the scheme of the authentication kind in use.
  virtual bool validate(bool) { return true; }

 protected:
  PermissionsSchemeEditor* editor_;
};

}  // namespace sui
