// svr::SecurityPrincipal: one entry of the `Permissions` parameter, a user or
// group of the host's user database (or "*", all users) with its permission
// set, and its item text "[%]name:permissions".
//
// Invariants: the id is never null once the principal is in use, never holds
// "," or ":", is UTF-8 and, for a user, does not start with "%": such an id
// would be written raw and read back as different principals (or not at all),
// so it is refused wherever a principal gets one. The empty id stays: a user
// with no name is the server's owner, and ":d" or "%:v" read back as written.
// The display name is only a cache and may be absent.
#pragma once

#include "lib1/plat/DString.h"
#include "lib1/plat/String.h"
#include "libs/svr/Permissions.h"

namespace svr {

class SecurityPrincipal {
 public:
  // Looks display names up and turns typed names into ids; the application
  // installs one in `resolver`.
  class NameResolver {
   public:
    // Uninstalls itself, so that no principal calls a resolver that is gone.
    virtual ~NameResolver();
    // The name to show, or a null string when there is none; may throw
    // plat::Exception.
    virtual plat::String resolveName(const char* id, const char* altName, bool isGroup) = 0;
    // The id under which a name the user typed is stored.
    virtual plat::String canonicalizeName(const char* name, bool isGroup) = 0;
  };
  static NameResolver* resolver;

  SecurityPrincipal();
  // Copies id, the permission set (text included) and the display name (may
  // be null). Throws plat::Exception for an id that could not be written and
  // read back as this principal.
  SecurityPrincipal(const char* id, const Permissions& perms, bool isGroup,
                    const char* displayName);
  SecurityPrincipal(const SecurityPrincipal&) = delete;
  SecurityPrincipal& operator=(const SecurityPrincipal&) = delete;

  // Replaces kind, id and permissions from one item of the parameter text.
  // All or nothing: an item whose name could not be written back returns
  // false, and one whose permissions text is bad throws "invalid permissions
  // string"; either way the principal stays as it was. The second argument
  // is not used.
  bool read(const char* text, const char* = nullptr);
  // Appends the item text; a principal whose id could not be read back is a
  // broken invariant.
  void write(plat::DString& out) const;
  // The name to show: the display name, else the resolver's answer, else the
  // alternative name or id. Resolver failures never leave it.
  plat::String getDisplayName();
  // False for an id that would not survive write and read; gives "*" its
  // "All users" name. The argument is not used.
  bool checkId(const char* = nullptr);
  // Whether the id (and alternative name) would survive write and read.
  bool isWritable() const;
  // Whether an id of this kind can be written and read back unchanged: UTF-8,
  // no "," or ":", and for a user no leading "%". The empty id can.
  static bool isWritableId(const char* id, bool isGroup);
  // Throws plat::Exception "invalid user name "<id>"" (or group).
  [[noreturn]] void throwInvalid() const;

  const char* getId() const { return id_.get(); }
  const char* getAltName() const { return altName_.get(); }
  bool isGroup() const { return isGroup_; }
  const Permissions& getPermissions() const { return perms_; }
  // The set itself, for an editor that changes it in place; write() then
  // writes what it was changed to.
  Permissions& getPermissions() { return perms_; }
  void setPermissions(const Permissions& perms) { perms_ = perms; }

 private:
  plat::String id_;
  plat::String altName_;
  plat::String displayName_;
  Permissions perms_;
  bool isGroup_ = false;
};

}  // namespace svr
