#include "libs/svr/SecurityTypes.h"

#include <strings.h>

#include <string>

#include "lib1/plat/ConfigParameter.h"
#include "lib1/plat/Configuration.h"
#include "lib1/plat/String.h"
#include "libs/fb/AuthMethods.h"

namespace svr {

namespace {

const char kAuto[] = "<auto>";

// The family suffix of each encryption level: none, 128 bits or more, 256
// bits or more.
const char* const kLevelSuffix[] = {"ne", ":128+", ":256+"};

void addLevel(int level, const char* auth, fb::SecNums* out) {
  std::string suffix = kLevelSuffix[level];
  std::string all(auth);
  size_t start = 0;
  while (true) {
    size_t comma = all.find(',', start);
    std::string item = all.substr(start, comma - start);
    const char* it = item.c_str();
    int method = fb::authMethodNum(it);
    if (strcasecmp(it, "None") == 0) {
      fb::secTypesParse(("RA2" + suffix).c_str(), out);
      if (level == 0) out->push_back(1);
    } else if (strcasecmp(it, "SingleSignOn") == 0) {
      fb::secTypesParse(("SSO" + suffix).c_str(), out);
    } else if (!item.empty() && method < 2 && item.find('+') == std::string::npos) {
      // A password scheme, or the user-password method itself.
      fb::secTypesParse(("RA2" + suffix).c_str(), out);
      if (level == 0 && strcasecmp(it, "ZemAuth") == 0) out->push_back(2);
    }
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
}

}  // namespace

bool isSecTypesAuto(plat::Configuration* conf) {
  plat::String value = plat::String::adopt(conf->getOrThrow("SecurityTypes")->getValueStr());
  return strcasecmp(value.get() ? value.get() : "", kAuto) == 0;
}

void getSecTypes(SEncryption e, const char* auth, fb::SecNums* out) {
  switch (e) {
    case SEncAlwaysMaximum:
      addLevel(2, auth, out);
      break;
    case SEncAlwaysOn:
      addLevel(1, auth, out);
      break;
    case SEncPreferOn:
      addLevel(1, auth, out);
      addLevel(0, auth, out);
      break;
    case SEncPreferOff:
      addLevel(0, auth, out);
      addLevel(1, auth, out);
      break;
    case SEncAlwaysOff:
      addLevel(0, auth, out);
      break;
    default:
      break;
  }
}

void getSecTypes(const char* secTypes, const char* encryption, const char* auth, fb::SecNums* out) {
  if (strcasecmp(secTypes, kAuto) != 0)
    fb::secTypesParse(secTypes, out);
  else
    getSecTypes(getSEncryption(encryption), auth, out);
}

}  // namespace svr
