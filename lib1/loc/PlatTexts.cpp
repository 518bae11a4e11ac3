// Gives the platform library its texts: it names them by key, and these hooks
// route the keys through the localisation service (parameter descriptions,
// the command line's bad-argument message). The platform's message table is
// registered here, since its rows go into this library's registry.
#include <utility>

#include "AddLocStrings_plat.h"
#include "lib1/loc/LString.h"
#include "lib1/loc/LocaleSetter.h"
#include "lib1/loc/Localize.h"
#include "lib1/plat/LocHooks.h"

namespace loc {

namespace {

AddLocStrings_plat addLocStrings;

const char* text(msgid_t id) { return localize(id, nullptr, 0, false); }

void format(plat::DString* out, msgid_t id, const char* arg) {
  LString s;
  s.xprintf(localize(id, nullptr, 0, true), arg);
  *out = std::move(s);
}

void inUserLocale(void (*fn)(void*), void* context) {
  LocaleSetter uiLocale(nullptr);
  fn(context);
}

// Installed before main and left in place until exit, like the registry the
// hooks lead to.
struct Installer {
  Installer() {
    plat::locHooks.text = text;
    plat::locHooks.format = format;
    plat::locHooks.inUserLocale = inUserLocale;
  }
} installer;

}  // namespace

}  // namespace loc
