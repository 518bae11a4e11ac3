// The security types the server offers: either the explicit list of the
// "SecurityTypes" parameter, or, when that is "<auto>", a list derived from
// the encryption setting and the authentication list.
//
// The derivation offers, for each encryption level the setting allows (in
// the setting's order of preference), the types of each authentication item
// at that level. Duplicates are not removed: each one stands for an item of
// the configuration.
#pragma once

#include "lib1/plat/Forward.h"
#include "libs/fb/SecTypes.h"
#include "libs/svr/SEncryption.h"

namespace svr {

// Whether "SecurityTypes" is "<auto>" (any case).
bool isSecTypesAuto(plat::Configuration* conf);

// Appends the types for encryption setting e and authentication list auth.
void getSecTypes(SEncryption e, const char* auth, fb::SecNums* out);
// Appends the types of the explicit list secTypes, or, when it is "<auto>",
// those derived from the encryption and authentication texts.
void getSecTypes(const char* secTypes, const char* encryption, const char* auth, fb::SecNums* out);

}  // namespace svr
