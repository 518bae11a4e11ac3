#include "lib1/plat/LocHooks.h"

namespace plat {

constinit LocHooks locHooks;

const char* locText(loc::msgid_t id, const char* fallback) {
  if (id.isNull() || !locHooks.text) return fallback;
  return locHooks.text(id);
}

DString locFormat(loc::msgid_t id, const char* fallback, const char* arg) {
  DString out;
  if (!id.isNull() && locHooks.format)
    locHooks.format(&out, id, arg);
  else
    out.replace(fallback, "%S", arg ? arg : "");
  return out;
}

}  // namespace plat
