#include "lib1/os/HostEnv.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "lib1/plat/DString.h"
#include "lib1/plat/Exception.h"
#include "lib1/rdr/FileInStream.h"

extern char** environ;

namespace os {

char* readShellSetting(rdr::InStream* in, plat::DString* line) {
  in->readLine(line, 0);
  char* eq = strchr(line->data(), '=');
  if (!eq) return nullptr;
  *eq = 0;
  char* value = eq + 1;
  size_t n = strlen(value);
  if (value[0] == '"') {
    if (n > 1 && value[n - 1] == '"') value[--n] = 0;
    char* out = value;
    for (const char* in2 = value + 1; *in2; in2++) {
      if (*in2 == '\\' && in2[1] && strchr("$`\"\\'", in2[1])) in2++;
      *out++ = *in2;
    }
    *out = 0;
  } else if (value[0] == '\'') {
    if (n > 1 && value[n - 1] == '\'') value[n - 1] = 0;
    value++;
  }
  return value;
}

ComputerName::ComputerName() {
  char name[257];
  if (gethostname(name, sizeof name) != 0) name[0] = 0;
  name[256] = 0;
  if (char* dot = strchr(name, '.')) *dot = 0;
  text_ = name;
}

ComputerDisplayName::ComputerDisplayName(bool, const char* infoFile) {
  try {
    rdr::FileInStream in(infoFile);
    plat::DString line;
    for (;;) {
      char* value = readShellSetting(&in, &line);
      if (value && *value && strcmp(line, "PRETTY_HOSTNAME") == 0) {
        text_ = value;
        return;
      }
    }
  } catch (plat::Exception&) {
    // No such setting: the host name stays.
  }
}

void setEnv(const char* name, const char* value) {
  size_t n = strlen(name) + strlen(value) + 2;
  char* entry = new char[n];
  snprintf(entry, n, "%s=%s", name, value);
  putenv(entry);  // the environment keeps it: never freed
}

void unsetEnv(const char* name) {
  if (!name || strchr(name, '=')) {
    errno = EINVAL;
    return;
  }
  if (!environ) return;
  size_t n = strlen(name);
  char** out = environ;
  for (char** in = environ; *in; in++)
    if (!(strncmp(*in, name, n) == 0 && (*in)[n] == '=')) *out++ = *in;
  *out = nullptr;
}

void clearEnv() {
  // A process may have no environment array at all (after an earlier
  // clearenv(), say): there is nothing to empty then.
  if (environ) environ[0] = nullptr;
}

}  // namespace os
