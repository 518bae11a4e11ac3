#include "libs/score/Mode.h"

#include <strings.h>

#include "AddLocStrings_score.h"
#include "lib1/loc/Localize.h"
#include "lib1/plat/Exception.h"

namespace score {

namespace {

AddLocStrings_score addLocStrings;

const char* const kNames[] = {"user", "service", "virtual"};

}  // namespace

Mode mode = ModeUser;

const char* modeName() {
  unsigned m = unsigned(mode);
  return m < 3 ? kNames[m] : kNames[ModeUser];
}

const char* getModeStr(Mode m) {
  switch (m) {
    case ModeService:
      return loc::localize(loc::msgid_t("score_mode_service"), __FILE__, __LINE__);
    case ModeVirtual:
      return loc::localize(loc::msgid_t("score_mode_virtual"), __FILE__, __LINE__);
    default:
      return loc::localize(loc::msgid_t("score_mode_user"), __FILE__, __LINE__);
  }
}

bool isModeName(const char* name) {
  for (const char* n : kNames)
    if (strcasecmp(name, n) == 0) return true;
  return false;
}

Mode modeFromName(const char* name) {
  for (int m = 0; m < 3; m++)
    if (strcasecmp(name, kNames[m]) == 0) return Mode(m);
  throw plat::Exception("Bad mode name");
}

}  // namespace score
