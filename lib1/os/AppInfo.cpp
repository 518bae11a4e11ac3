#include "lib1/os/AppInfo.h"

#include <cstring>
#include <memory>

#include "lib1/loc/Localize.h"
#include "lib1/plat/Assert.h"
#include "lib1/plat/DString.h"
#include "lib1/plat/StrUtil.h"

namespace os {

char* etcZemDir = nullptr;
char* dotZemDir = nullptr;
char* configDir = nullptr;
char* saveConfigFilename = nullptr;

namespace {

struct Identity {
  std::unique_ptr<char[]> app;
  std::unique_ptr<char[]> company;
  std::unique_ptr<char[]> pathComponent;
  std::unique_ptr<char[]> longAppName;
  loc::msgid_t longAppNameId;
  plat::DString longResult;

  // The directory settings are plain char* for their readers; they are
  // released here, at process exit.
  ~Identity() {
    for (char** setting : {&etcZemDir, &dotZemDir, &configDir, &saveConfigFilename}) {
      delete[] * setting;
      *setting = nullptr;
    }
  }
};

Identity& identity() {
  static Identity id;
  return id;
}

// Replaces the stored copy only when the text differs.
void store(std::unique_ptr<char[]>& stored, const char* text) {
  const char* old = stored.get();
  if (old == text || (old && text && strcmp(old, text) == 0)) return;
  stored.reset(text ? plat::strDup(text) : nullptr);
}

}  // namespace

void setAppName(const char* app) {
  PLAT_ASSERT(app);
  store(identity().app, app);
}

void setAppInfo(const char* app, const char* company, const char* pathComponent,
                loc::msgid_t longAppNameId, const char* longAppName) {
  setAppName(app);
  Identity& id = identity();
  store(id.company, company);
  store(id.pathComponent, pathComponent);
  store(id.longAppName, longAppName);
  id.longAppNameId = longAppNameId;
}

const char* getAppName() {
  const char* app = identity().app.get();
  PLAT_ASSERT(app);
  return app;
}

const char* getCompanyName() {
  const char* company = identity().company.get();
  PLAT_ASSERT(company);
  return company;
}

const char* getPathComponent() {
  const char* pathComponent = identity().pathComponent.get();
  PLAT_ASSERT(pathComponent);
  return pathComponent;
}

const char* getLongAppNameR() {
  Identity& id = identity();
  if (!id.longAppNameId.isNull()) return loc::localize(id.longAppNameId);
  if (id.longAppName) return id.longAppName.get();
  return id.app.get();
}

const char* getLongAppName() {
  plat::DString& out = identity().longResult;
  out.clear();
  const char* name = getLongAppNameR();
  if (!name) return nullptr;
  out.append(name);
  out.replace("\xC2\xAE", "");
  return out;
}

void setDirSetting(char** setting, const char* value) {
  identity();  // so that the settings are released at exit
  delete[] * setting;
  *setting = value ? plat::strDup(value) : nullptr;
}

}  // namespace os
