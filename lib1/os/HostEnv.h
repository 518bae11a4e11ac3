// Small operating-system services for identity and start-up: shell-style
// "name=value" lines, the host name in two forms, and the process
// environment.
#pragma once

#include "lib1/plat/Forward.h"
#include "lib1/plat/String.h"
#include "lib1/rdr/Forward.h"

namespace os {

// Reads one line into line and cuts it at the first "=": line then holds the
// name, and the result points at the value inside it, unquoted as a shell
// would for one double- or single-quoted word. Null when there is no "=".
// At the end of the input the stream's end-of-stream exception passes on.
char* readShellSetting(rdr::InStream* in, plat::DString* line);

// The host name up to its first "." (empty when the system gives none).
class ComputerName {
 public:
  ComputerName();
  const char* get() const { return text_.get(); }
  operator const char*() const { return text_.get(); }

 protected:
  plat::String text_;
};

// The administrator's display name for the host (PRETTY_HOSTNAME in
// /etc/machine-info), else ComputerName. The flag changes nothing.
class ComputerDisplayName : public ComputerName {
 public:
  explicit ComputerDisplayName(bool unused = false, const char* infoFile = "/etc/machine-info");
};

// putenv of a new "name=value" that the environment keeps for good.
void setEnv(const char* name, const char* value);
// Removes every "name=" entry in place (the strings are not freed). A null
// name or one with "=" sets errno to EINVAL and changes nothing.
void unsetEnv(const char* name);
// Empties the environment; nothing happens when there is none.
void clearEnv();

}  // namespace os
