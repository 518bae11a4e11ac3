// Gives the platform library its texts: it names them by key, and these hooks
// route the keys through the localisation service (parameter descriptions,
// the command line's bad-argument message). The platform's message table is
// registered here, since its rows go into this library's registry.
#include <utility>

#include "AddLocStrings_plat.h"
#include "lib1/loc/LString.h"
#include "lib1/loc/LocaleSetter.h"
#include "lib1/loc/Localize.h"
#include "lib1/loc/TransMap.h"
#include "lib1/loc/Translation.h"
#include "lib1/plat/LocHooks.h"

namespace loc {

namespace {

AddLocStrings_plat addLocStrings;

// The translation of id in the current map, or null, so that the caller's
// English text stands in rather than the bare key. Before the service is
// started the map is empty and every key is missing quietly; once it has
// its languages, a missing key is reported as localize() reports it.
const Translation* find(msgid_t id) {
  const TransMap* map = TransMap::getThreadInst();
  const Translation* t = map->get(id);
  if (!t && !map->locales().empty()) localize(id);
  return t;
}

const char* text(msgid_t id) {
  const Translation* t = find(id);
  return t ? t->get(false, id) : nullptr;
}

bool format(plat::DString* out, msgid_t id, const char* arg) {
  const Translation* t = find(id);
  if (!t) return false;
  LString s;
  s.xprintf(t->get(true, id), arg);
  *out = std::move(s);
  return true;
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
