// smisc::PermissionsSchemeSystemAuth: the permissions scheme whose
// principals are accounts of the host's user and group databases. It reads
// its list from the `Permissions` parameter of the editor's configuration,
// shows each principal as a row with a "user" or "group" picture, offers
// "Add..." and "Remove", and writes the whole list back at priority 50 after
// every change, so there is no separate save.
//
// Invariants: the editor's rows are the store's principals in store order;
// while the value comes from policy (priority 0) nothing can be added or
// removed and the editor locks the controls. A value that does not parse
// leaves the list empty, and nothing can be added or removed until a value
// that parses is loaded: a save would write the empty list over the text,
// which is all that is left of the person's principals.
#pragma once

#include "libs/sui/PermissionsScheme.h"
#include "libs/svr/SecurityPrincipalStore.h"

namespace plat {
class StringParameter;
}

namespace smisc {

class PermissionsSchemeSystemAuth : public sui::PermissionsScheme {
 public:
  explicit PermissionsSchemeSystemAuth(sui::PermissionsSchemeEditor* editor);

  void init() override;
  svr::Permissions* getPermissions(int index, bool* locked, bool* enabled, bool* flag) override;
  void permissionChanged(int index, char letter) override;
  void principalSelected(int index) override;
  void buttonPressed(const char* id) override;
  bool hasPolicySettings() const override { return store_.isPolicy(); }
  // Whether the last load found a value that does not parse; it stays
  // untouched until a load succeeds.
  bool isValueUnreadable() const { return unreadable_; }

  // Runs the add dialog and adds what it returns.
  virtual void queryAddPrincipal();
  // Takes ownership of principal, made on the heap. A principal already
  // listed (same kind, same id exactly) is not added twice: the listed one
  // is selected and the new one destroyed.
  void addPrincipal(svr::SecurityPrincipal* principal);

  const svr::SecurityPrincipalStore& store() const { return store_; }

 private:
  plat::StringParameter* param() const;
  void save();
  // Whether the list may be changed and stored.
  bool isEditable() const { return !store_.isPolicy() && !unreadable_; }

  svr::SecurityPrincipalStore store_;
  bool unreadable_ = false;
};

}  // namespace smisc
