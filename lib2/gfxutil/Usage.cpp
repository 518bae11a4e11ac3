#include "lib2/gfxutil/Usage.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "lib2/gfxutil/VersionInfo.h"
#include "lib2/plat/ConfigXml.h"

namespace gfxutil {

void defaultUsage(plat::Configuration::UsageType type, plat::Configuration* config) {
  if (type == plat::Configuration::UsageXml) {
    xmlUsage(config);
  } else {
    printf("%s\n\n", versionInfo.termVersionText.get());
    config->printParamUsage(type == plat::Configuration::UsageAll, true);
  }
  fflush(stdout);
  exit(1);
}

void xmlUsage(plat::Configuration* config) {
  char* raw = nullptr;
  plat::writeConfigXml(config, &raw, false);
  std::unique_ptr<char[]> text(raw);
  fputs(text.get(), stdout);
}

}  // namespace gfxutil
