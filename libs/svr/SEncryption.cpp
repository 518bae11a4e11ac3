#include "libs/svr/SEncryption.h"

#include <strings.h>

#include "AddLocStrings_svr.h"
#include "lib1/loc/Localize.h"
#include "lib1/plat/ConfigParameter.h"
#include "lib1/plat/Configuration.h"
#include "lib1/plat/String.h"
#include "libs/svr/SecurityTypes.h"

namespace svr {

namespace {

AddLocStrings_svr addLocStrings;

struct Name {
  SEncryption value;
  const char* name;
};

const Name kNames[] = {
    {SEncAlwaysMaximum, "AlwaysMaximum"}, {SEncAlwaysOn, "AlwaysOn"},   {SEncPreferOn, "PreferOn"},
    {SEncPreferOff, "PreferOff"},         {SEncAlwaysOff, "AlwaysOff"},
};

const char* const kDescKeys[] = {"svr_sencryption_always_maximum", "svr_sencryption_always_on",
                                 "svr_sencryption_prefer_on", "svr_sencryption_prefer_off",
                                 "svr_sencryption_always_off"};

}  // namespace

const char* getEncStr(SEncryption e, const char* def) {
  for (const Name& n : kNames)
    if (n.value == e) return n.name;
  return def;
}

const char* getEncDesc(SEncryption e) {
  if (unsigned(e) >= unsigned(SEncInvalid)) return "";
  return loc::localize(loc::msgid_t(kDescKeys[e]), __FILE__, __LINE__);
}

SEncryption getSEncryption(const char* name) {
  for (const Name& n : kNames)
    if (strcasecmp(name, n.name) == 0) return n.value;
  return SEncInvalid;
}

SEncryption getSEncryption(plat::Configuration* conf) {
  if (!isSecTypesAuto(conf)) return SEncInvalid;
  plat::String value = plat::String::adopt(conf->getOrThrow("Encryption")->getValueStr());
  return getSEncryption(value.get());
}

}  // namespace svr
