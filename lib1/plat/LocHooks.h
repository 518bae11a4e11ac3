// The platform library names its texts by message key, but the service that
// turns keys into the user's language sits above it (lib1/loc). That library
// fills these hooks from a static constructor. Until then, in programs that
// do not link it, and whenever the service has no text for a key (before it
// is started, above all), the callers get the English texts they pass along.
#pragma once

#include "lib1/plat/DString.h"
#include "lib1/plat/MsgId.h"

namespace plat {

struct LocHooks {
  // The plain (formatted) text of a key, or null when there is none.
  const char* (*text)(loc::msgid_t id) = nullptr;
  // The raw text of a key expanded with one string argument for its "%S";
  // false, leaving out alone, when there is none.
  bool (*format)(DString* out, loc::msgid_t id, const char* arg) = nullptr;
  // Runs fn(context) under the user's C-library locale, so that character
  // widths follow the user's language.
  void (*inUserLocale)(void (*fn)(void* context), void* context) = nullptr;
};

// Constant-initialised, so it reads as empty before any constructor runs.
extern constinit LocHooks locHooks;

// The localised text of id, or fallback when no service is installed or id is
// null.
const char* locText(loc::msgid_t id, const char* fallback);

// The localised format of id with arg in place of its "%S"; without a service,
// fallback (written with "%S" as well) is filled instead.
DString locFormat(loc::msgid_t id, const char* fallback, const char* arg);

// Runs f under the user's C-library locale when a service is installed,
// else as the process stands.
template <typename F>
void inUserLocale(F&& f) {
  if (!locHooks.inUserLocale) return f();
  locHooks.inUserLocale([](void* context) { (*static_cast<F*>(context))(); }, &f);
}

}  // namespace plat
