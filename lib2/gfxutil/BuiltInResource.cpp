#include "lib2/gfxutil/BuiltInResource.h"

#include <map>

#include "lib1/plat/Assert.h"
#include "lib1/plat/String.h"

namespace gfxutil {

namespace {

// Built on first use: registrations come from static constructors of other
// files, which may run before this file's.
std::map<plat::String, plat::MCBuf<unsigned char>>& registry() {
  static std::map<plat::String, plat::MCBuf<unsigned char>> resources;
  return resources;
}

}  // namespace

void builtInResourceAdd(const char* name, plat::CBuf<unsigned char> data) {
  PLAT_ASSERT(name);
  PLAT_ASSERT(data.length >= 0 && (data.data || data.length == 0));
  registry()[name] = data;
}

plat::CBuf<unsigned char> builtInResourceGet(const char* name) {
  if (!name) return {};
  auto& resources = registry();
  auto it = resources.find(name);
  return it == resources.end() ? plat::CBuf<unsigned char>{} : it->second;
}

}  // namespace gfxutil
