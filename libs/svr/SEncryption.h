// How strongly the server encrypts connections, as the "Encryption"
// parameter names it. Lookups compare names case-insensitively and never
// fail: an unknown name is SEncInvalid.
#pragma once

#include "lib1/plat/Forward.h"

namespace svr {

enum SEncryption {
  SEncAlwaysMaximum = 0,
  SEncAlwaysOn = 1,
  SEncPreferOn = 2,
  SEncPreferOff = 3,
  SEncAlwaysOff = 4,
  SEncInvalid = 5,
};

// The parameter text of e, else def.
const char* getEncStr(SEncryption e, const char* def);
// The localised description of e, else "".
const char* getEncDesc(SEncryption e);
SEncryption getSEncryption(const char* name);
// SEncInvalid unless the security types are derived automatically; else the
// setting the "Encryption" parameter names.
SEncryption getSEncryption(plat::Configuration* conf);

}  // namespace svr
