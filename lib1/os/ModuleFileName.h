// Where the running program and its companion executables are. The
// program's own path is found once (setArgv0) and kept process-wide; the
// holders own one text each, which may be null.
#pragma once

#include "lib1/plat/String.h"

namespace os {

// The canonical absolute path of an executable regular file, or null. A
// name with "/" is checked alone; one without is looked for along PATH when
// searchPath is set, stopping at the first element where it exists. A PATH
// element beginning with "~" throws "PATH contains invalid '~' character".
// The caller frees the result with array delete.
char* getExecutableFile(const char* name, bool searchPath);

// Owned by user 0 with the set-user-id and owner-execute bits (the link
// itself when path is a symbolic link).
bool isSetuidRootExe(const char* path);

class ModuleFileName {
 public:
  // With name null, the program's own path. With a name, that name beside
  // the program, else where getExecutableFile finds it. When nothing is
  // found and throwIfMissing is set, throws plat::SystemException (ENOENT)
  // "%s does not exist or is not executable".
  explicit ModuleFileName(const char* name = nullptr, bool throwIfMissing = false,
                          bool searchPath = false);

  // Finds the program's own path: the system's record of the running
  // executable, else argv0 looked for as getExecutableFile does.
  static void setArgv0(const char* argv0);

  const char* get() const { return text_.get(); }
  operator const char*() const { return text_.get(); }

 private:
  plat::String text_;
};

// The directory part of what ModuleFileName gives for the same arguments.
class ModuleDirName {
 public:
  explicit ModuleDirName(const char* name = nullptr, bool throwIfMissing = false,
                         bool searchPath = false);

  const char* get() const { return text_.get(); }
  operator const char*() const { return text_.get(); }

 private:
  plat::String text_;
};

}  // namespace os
