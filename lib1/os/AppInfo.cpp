#include "lib1/os/AppInfo.h"

#include "lib1/loc/Localize.h"
#include "lib1/plat/Assert.h"
#include "lib1/plat/DString.h"

namespace os {

plat::String etcZemDir;
plat::String dotZemDir;
plat::String configDir;
plat::String saveConfigFilename;

namespace {

struct Identity {
  plat::String app;
  plat::String company;
  plat::String pathComponent;
  plat::String longAppName;
  loc::msgid_t longAppNameId;
  plat::DString longResult;
};

Identity& identity() {
  static Identity id;
  return id;
}

// Replaces the stored copy only when the text differs.
void store(plat::String& stored, const char* text) {
  if (!plat::String::equal(stored.get(), text)) stored = text;
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
  if (!id.longAppName.isNull()) return id.longAppName.get();
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

void setDirSetting(plat::String* setting, const char* value) { *setting = value; }

}  // namespace os
