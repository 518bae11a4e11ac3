// sui::PermissionsEditorImpl: the permissions editor, as far as schemes and
// host pages need to know it: the indices of its two special rows and the
// callback through which a host page supplies them.
//
// A host page that has a global-permissions row and a guest row implements
// Callback; an editor without a callback has no special rows, and
// selecting GLOBAL there selects no row at all. The sets the callback hands
// out are edited in place by the editor and stored through the callback.
#pragma once

#include "libs/sui/PermissionsSchemeEditor.h"

namespace svr {
class Permissions;
}

namespace sui {

class PermissionsEditorImpl : public PermissionsSchemeEditor {
 public:
  // The "Global permissions" row.
  static constexpr int GLOBAL = -1;
  // The extra-verifier (guest) row.
  static constexpr int GUEST = -2;

  class Callback {
   public:
    // The host refreshes the editor's controls for the current row and
    // lays its page out again.
    virtual void updateSelection(bool resetChoice) = 0;
    // Whether the named configuration parameter is set by policy.
    virtual bool isParamPolicy(const char* paramName) = 0;
    // The link in the editor's information frame was clicked.
    virtual void authInfoInvoked() = 0;
    // The global set, edited in place; setGlobalPerms() stores it.
    virtual svr::Permissions* getGlobalPerms() = 0;
    virtual void setGlobalPerms() = 0;
    // Whether the guest row exists.
    virtual bool hasExtraVerifier() = 0;
    // The guest row's set, edited in place; locked may be null.
    virtual svr::Permissions* getExtraVerifierPerms(bool* locked) = 0;
    // *name becomes a new display text for the guest row, array-new'd as
    // plat::strDup makes it; the caller adopts it (plat::String::adopt).
    virtual void getExtraVerifierName(char** name, bool* allowsAccess) = 0;
    virtual ~Callback();
  };
};

}  // namespace sui
