#include "lib2/gfxutil/ConfigStoreFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "lib1/os/AppInfo.h"
#include "lib1/os/ModuleFileName.h"
#include "lib1/plat/Assert.h"
#include "lib1/plat/DString.h"
#include "lib1/plat/Exception.h"
#include "lib2/plat/SettingsFile.h"

namespace gfxutil {

static plat::DString joined(const char* format, const char* a, const char* b) {
  plat::DString s;
  s.prf(format, a, b);
  return s;
}

ConfigStoreFile::ConfigStoreFile() : ConfigStoreFile(os::ModuleDirName().get()) {}

ConfigStoreFile::ConfigStoreFile(const char* exeDir) {
  // A program whose user may not enter its folder (started by root, which
  // then gave up its rights, or through a descriptor) reaches nothing beside
  // itself. Those files are as absent as when the folder is unknown: a
  // fault in how the program was started, not in the configuration.
  if (exeDir && faccessat(AT_FDCWD, exeDir, X_OK, AT_EACCESS) != 0 && errno == EACCES) {
    exeDir = nullptr;
  }
  if (exeDir) {
    plat::DString product = joined("%s/%s", exeDir, os::getPathComponent());
    acd(50, joined("%s/%s", product.get(), "config.d").get(), true);
    acd(0, joined("%s/%s", product.get(), "policy.d").get(), false);
  }
  PLAT_ASSERT(!os::etcZemDir.isNull() && !os::dotZemDir.isNull());
  acd(50, joined("%s/%s", os::etcZemDir.get(), "config.d").get(), true);
  acd(50, joined("%s/%s", os::dotZemDir.get(), "config.d").get(), false);
  acd(0, joined("%s/%s", os::etcZemDir.get(), "policy.d").get(), false);
  inst_ = this;
}

void ConfigStoreFile::acd(int priority, const char* dir, bool custom) {
  std::list<plat::String>& list = files[priority];
  list.emplace_back(joined("%s/%s", dir, "common").get());
  if (custom) list.emplace_back(joined("%s/%s", dir, "common.custom").get());
  list.emplace_back(joined("%s/%s", dir, os::getAppName()).get());
}

void ConfigStoreFile::loadPriority(int priority, plat::Configuration* config) {
  if (!config) config = plat::Configuration::global();
  auto it = files.find(priority);
  if (it == files.end()) return;
  for (const plat::String& path : it->second) {
    try {
      plat::readFromFile(config, path.get(), priority);
    } catch (plat::SystemException& e) {
      if (e.err == ENOENT) continue;
      throw plat::Exception(1, "Error reading %s: %s", path.get(), e.str());
    } catch (plat::Exception& e) {
      // A fault in the file's text already names the file and the line
      // ("<path>:<line>: <what>"): said once, that reads as the file and line
      // that could not be read.
      const char* detail = e.str();
      size_t n = strlen(path.get());
      if (strncmp(detail, path.get(), n) == 0 && detail[n] == ':') {
        throw plat::Exception(1, "Error reading %s", detail);
      }
      throw plat::Exception(1, "Error reading %s: %s", path.get(), detail);
    }
  }
}

void ConfigStoreFile::saveDiffs(plat::Configuration* config, plat::Configuration* reference) {
  plat::writeDiffsToFile(config, os::saveConfigFilename.get(), reference);
}

void ConfigStoreFile::saveSetting(plat::ConfigParameter& param) {
  std::unique_ptr<char[]> value(param.getValueStr());
  plat::mergeParamToFile(os::saveConfigFilename.get(), param.name, value.get(), false);
}

void ConfigStoreFile::deleteSetting(plat::ConfigParameter& param) {
  plat::deleteParamFromFile(os::saveConfigFilename.get(), param.name, false);
}

}  // namespace gfxutil
