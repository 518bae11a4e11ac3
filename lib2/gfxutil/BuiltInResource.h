// The built-in resource registry: byte blocks the program carries inside
// itself (PNG images, packed fonts), each under a resource name that ends in
// its type (".png", ".gz"). The registry keeps the caller's pointer and
// length and never copies the bytes, so registered data must stay valid for
// the life of the program (static arrays). It is built on first use, so
// static initialisers may register in any order.
#pragma once

#include "lib1/plat/Buffers.h"

namespace gfxutil {

// Registers data under name; a name registered before gets the new data.
void builtInResourceAdd(const char* name, plat::CBuf<unsigned char> data);
// The data registered under name, or {0, null} when there is none.
plat::CBuf<unsigned char> builtInResourceGet(const char* name);

}  // namespace gfxutil
