// smisc::NameResolverSystemAuth: names the principals of the `Permissions`
// parameter after the host's user and group databases, and turns a name
// typed for a new principal into the id it is stored under.
//
// Display texts: a user shows its full name (the GECOS field up to the
// first ",") and its id, "John Smith (jsmith)", or with the account name
// when stored by number, "John Smith (1001=jsmith)"; a group shows its id,
// or "10 (=staff)" when stored by number; an account the databases do not
// know shows "Unknown user (bob)" or "Unknown group (bob)"; the empty user
// id is the server's owner. Bytes of the databases that are not UTF-8 show as
// U+FFFD. A numeric id is one plat::strToUint reads in
// base 10, tried only when no account has the text as its name.
//
// A failed look-up, for want of the account or through a database error,
// counts as "not found" and never leaves the resolver: it throws nothing.
// Names the principal list cannot hold are refused where a person types
// them (the add dialog) and where a principal is made (svr), not here.
#pragma once

#include "lib1/plat/String.h"
#include "libs/svr/SecurityPrincipal.h"

namespace smisc {

class NameResolverSystemAuth : public svr::SecurityPrincipal::NameResolver {
 public:
  // altName is not used.
  plat::String resolveName(const char* id, const char* altName, bool isGroup) override;
  // The account name the databases give first for the number of the account
  // name (or number) denotes; name itself when they do not know it, or when
  // that account name could not be stored (or is not UTF-8).
  plat::String canonicalizeName(const char* name, bool isGroup) override;
};

}  // namespace smisc
