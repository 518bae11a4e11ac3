// The process-wide font cache: each font is inflated and parsed from its
// embedded gzip resource ("<name>.gz") on first request and shared until
// exit. A font that fails to load leaves nothing behind, so the next request
// tries again. "helv16" and "helvB16" have no resource of their own and are
// served by "helv15" and "helvB15".
#pragma once

#include "lib1/plat/SharedPtr.h"
#include "lib2/gfxutil/FontProp.h"

namespace gfxutil {

// Throws "Failed to read font <name>: <reason>".
plat::SharedPtr<FontProp> getFont(const char* name);

// Parses a font from the bytes of a gzip file; errors as getFont's.
plat::SharedPtr<FontProp> readFont(const char* name, const void* gzip, int length);

}  // namespace gfxutil
