#include "lib1/plat/LocHooks.h"

namespace plat {

constinit LocHooks locHooks;

const char* locText(loc::msgid_t id, const char* fallback) {
  const char* text = id.isNull() || !locHooks.text ? nullptr : locHooks.text(id);
  return text ? text : fallback;
}

DString locFormat(loc::msgid_t id, const char* fallback, const char* arg) {
  DString out;
  if (id.isNull() || !locHooks.format || !locHooks.format(&out, id, arg))
    out.replace(fallback, "%S", arg ? arg : "");
  return out;
}

}  // namespace plat
