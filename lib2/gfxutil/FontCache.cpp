#include "lib2/gfxutil/FontCache.h"

#include <cstring>
#include <map>

#include "lib1/plat/Exception.h"
#include "lib1/plat/String.h"
#include "lib1/rdr/MemInStream.h"
#include "lib1/rdr/ZlibInStream.h"

namespace gfxutil {

plat::SharedPtr<FontProp> readFont(const char* name, const void* gzip, int length) {
  try {
    rdr::MemInStream mem(gzip, length);
    rdr::ZlibInStream zis(0, true);
    // The glyph records alone outgrow the rewind window; nothing here ever
    // rewinds, and a rewindable stream would refuse to read past it.
    zis.rewindable = false;
    zis.setUnderlying(&mem, -1);
    return plat::SharedPtr<FontProp>(new FontProp(&zis));
  } catch (const plat::Exception& e) {
    throw plat::Exception(1, "Failed to read font %s: %s", name, e.str());
  }
}

}  // namespace gfxutil
