#include "libs/svr/SAuthentication.h"

#include <strings.h>

#include <algorithm>
#include <string>

#include "AddLocStrings_svr.h"
#include "lib1/loc/Localize.h"
#include "lib1/plat/ConfigParameter.h"
#include "lib1/plat/Configuration.h"
#include "libs/fb/AuthMethods.h"
#include "libs/svr/SecurityTypes.h"

namespace svr {

namespace {

AddLocStrings_svr addLocStrings;

const char* const kNames[] = {"None", "ZemAuth", "SystemAuth", "SingleSignOn,SystemAuth"};
const char* const kDescKeys[] = {"svr_sauthentication_none", "svr_sauthentication_zem_password",
                                 "svr_sauthentication_unix_password",
                                 "svr_sauthentication_single_sign_on"};

bool known(SAuthentication a) { return unsigned(a) < unsigned(SAuthInvalid); }

}  // namespace

const char* getAuthStr(SAuthentication a, const char* def) { return known(a) ? kNames[a] : def; }

const char* getAuthDesc(SAuthentication a) {
  return known(a) ? loc::localize(loc::msgid_t(kDescKeys[a]), __FILE__, __LINE__) : "";
}

SAuthentication getSAuthentication(const char* name) {
  for (int a = 0; a < SAuthInvalid; a++)
    if (strcasecmp(name, kNames[a]) == 0) return SAuthentication(a);
  return SAuthInvalid;
}

SAuthentication getSAuthentication(plat::Configuration* conf) {
  if (!isSecTypesAuto(conf)) return SAuthInvalid;
  plat::String value = plat::String::adopt(conf->getOrThrow("Authentication")->getValueStr());
  return getSAuthentication(value.get());
}

void parseAuthStr(const char* auth, fb::SecNums* methods, bool* hasNone,
                  std::vector<plat::String>* schemes) {
  if (hasNone) *hasNone = false;
  std::string all(auth);
  size_t start = 0;
  while (true) {
    size_t comma = all.find(',', start);
    std::string item = all.substr(start, comma - start);
    if (hasNone && strcasecmp(item.c_str(), "None") == 0) *hasNone = true;
    int num = fb::authMethodNum(item.c_str());
    if (!item.empty() && num == 0) {
      num = 1;  // a password scheme is offered through the user-password method
      if (schemes) schemes->emplace_back(item.c_str());
    }
    if (num && methods && std::find(methods->begin(), methods->end(), num) == methods->end())
      methods->push_back(num);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
}

}  // namespace svr
