#include "apps/grantwell/resources/BuiltInResources.h"

#include "EmbeddedFiles_apps_grantwell_resources.h"
#include "lib2/gfxutil/BuiltInResource.h"

namespace grantwell {

void addBuiltInResources() {
  using namespace embedded_apps_grantwell_resources;
  for (int i = 0; i < count; i++)
    gfxutil::builtInResourceAdd(files[i].name, {files[i].length, files[i].data});
}

namespace {

// The registry is built on first use and the file table is constant data,
// so the order of static initialisers across files does not matter.
[[maybe_unused]] const bool registered = (addBuiltInResources(), true);

}  // namespace

}  // namespace grantwell
