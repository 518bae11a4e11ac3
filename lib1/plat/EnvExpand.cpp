#include "lib1/plat/EnvExpand.h"

#include <cstdlib>
#include <cstring>

#include "lib1/plat/Exception.h"

namespace plat {

namespace {

bool isNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

}  // namespace

EnvExpand::EnvExpand(const char* text, const std::map<String, String>* vars, bool strict)
    : DString(strLen(text) + 1) {
  if (!text) return;
  const char* p = text;
  while (*p) {
    const char* dollar = strchr(p, '$');
    if (!dollar) {
      append(p);
      break;
    }
    append(p, int(dollar - p));
    p = dollar + 1;
    if (*p == '$') {
      append("$");
      p++;
    } else if (*p == '{') {
      const char* name = p + 1;
      const char* close = strchr(name, '}');
      int len = close ? int(close - name) : int(strlen(name));
      p = close ? close + 1 : name + len;
      if (len == 0)
        append("$");
      else
        expandName(name, len, vars, strict);
    } else {
      const char* name = p;
      while (isNameChar(*p)) p++;
      if (p > name) expandName(name, int(p - name), vars, strict);
    }
  }
}

void EnvExpand::expandName(const char* name, int len, const std::map<String, String>* vars,
                           bool strict) {
  String key(name, len);
  if (vars) {
    auto it = vars->find(key);
    if (it != vars->end()) {
      append(it->second.get());
      return;
    }
  }
  if (const char* value = getenv(key.get())) {
    append(value);
    return;
  }
  if (strict) throw Exception(1, "unknown environment variable: %s", key.get());
}

}  // namespace plat
