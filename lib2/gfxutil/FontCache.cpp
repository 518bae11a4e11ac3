#include "lib2/gfxutil/FontCache.h"

#include <cstring>
#include <map>

#include "lib1/plat/DString.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/String.h"
#include "lib1/rdr/MemInStream.h"
#include "lib1/rdr/ZlibInStream.h"
#include "lib2/gfxutil/BuiltInResource.h"

namespace gfxutil {

namespace {

struct NameLess {
  bool operator()(const plat::String& a, const plat::String& b) const {
    return strcmp(a.get(), b.get()) < 0;
  }
};

using Cache = std::map<plat::String, plat::SharedPtr<FontProp>, NameLess>;

Cache& cache() {
  static Cache fonts;
  return fonts;
}

// Names the dialogs ask for that have no resource of their own.
const char* const kFallbacks[][2] = {{"helv16", "helv15"}, {"helvB16", "helvB15"}};

}  // namespace

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

plat::SharedPtr<FontProp> getFont(const char* name) {
  auto it = cache().find(plat::String(name));
  if (it != cache().end()) return it->second;
  plat::SharedPtr<FontProp> font;
  for (const auto& [alias, real] : kFallbacks)
    if (strcmp(name, alias) == 0) font = getFont(real);
  if (!font) {
    plat::CBuf<unsigned char> data = builtInResourceGet(plat::DPrintf("%s.gz", name).get());
    if (!data.data) throw plat::Exception(1, "Failed to read font %s: resource not found", name);
    font = readFont(name, data.data, data.length);
  }
  cache().emplace(plat::String(name), font);
  return font;
}

}  // namespace gfxutil
