#include "lib2/gfxutil/ConfigStore.h"

namespace gfxutil {

ConfigStore* ConfigStore::inst_ = nullptr;

ConfigStore::~ConfigStore() {
  if (inst_ == this) inst_ = nullptr;
}

void ConfigStore::load(bool withPolicy, plat::Configuration* config) {
  loadPriority(50, config);
  if (withPolicy) loadPriority(0, config);
}

}  // namespace gfxutil
