// The authentication schemes the server offers, as the "Authentication"
// parameter names them, and the translation of an authentication list into
// the method numbers and password schemes a connection is offered.
//
// Lookups compare whole texts case-insensitively and never fail: an unknown
// name is SAuthInvalid. "SingleSignOn,SystemAuth" is one name, comma and
// all.
#pragma once

#include <vector>

#include "lib1/plat/Forward.h"
#include "lib1/plat/String.h"
#include "libs/fb/SecTypes.h"

namespace svr {

enum SAuthentication {
  SAuthNone = 0,          // "None"
  SAuthZem = 1,           // "ZemAuth"
  SAuthSystem = 2,        // "SystemAuth"
  SAuthSingleSignOn = 3,  // "SingleSignOn,SystemAuth"
  SAuthInvalid = 4,
};

// The parameter text of a (SAuthNone to SAuthSingleSignOn), else def.
const char* getAuthStr(SAuthentication a, const char* def);
// The localised description of a, else "".
const char* getAuthDesc(SAuthentication a);
SAuthentication getSAuthentication(const char* name);
// SAuthInvalid unless the security types are derived automatically; else
// the scheme the "Authentication" parameter names.
SAuthentication getSAuthentication(plat::Configuration* conf);

// Splits auth at commas. "None" sets *hasNone. Each method name adds its
// number to methods once, in order of first appearance; any other non-empty
// item ("SystemAuth", "None") is a password scheme: it counts as method 1
// and is copied to schemes. methods and schemes may be null.
void parseAuthStr(const char* auth, fb::SecNums* methods, bool* hasNone,
                  std::vector<plat::String>* schemes);

}  // namespace svr
