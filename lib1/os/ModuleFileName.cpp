#include "lib1/os/ModuleFileName.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "lib1/plat/Exception.h"
#include "lib1/plat/Path.h"
#include "lib1/plat/StrUtil.h"

namespace os {

namespace {

plat::String& executablePath() {
  static plat::String path;
  return path;
}

bool isExecutableFile(const char* path) {
  struct stat st;
  return stat(path, &st) == 0 && S_ISREG(st.st_mode) && access(path, X_OK) == 0;
}

}  // namespace

char* getExecutableFile(const char* name, bool searchPath) {
  if (!name) return nullptr;
  std::string candidate;
  if (strchr(name, '/')) {
    if (!isExecutableFile(name)) return nullptr;
    candidate = name;
  } else {
    const char* pathVar = searchPath ? getenv("PATH") : nullptr;
    if (!pathVar) return nullptr;
    std::string path = pathVar;
    size_t at = 0;
    for (;;) {
      size_t end = path.find(':', at);
      std::string element = path.substr(at, end == std::string::npos ? end : end - at);
      if (!element.empty() && element[0] == '~')
        throw plat::Exception("PATH contains invalid '~' character");
      std::string joined = element + "/" + name;
      struct stat st;
      if (stat(joined.c_str(), &st) == 0) {
        if (!isExecutableFile(joined.c_str())) return nullptr;
        candidate = joined;
        break;
      }
      if (end == std::string::npos) return nullptr;
      at = end + 1;
    }
  }
  return plat::strDup(plat::RealPath(candidate.c_str()));
}

bool isSetuidRootExe(const char* path) {
  struct stat st;
  if (!path || lstat(path, &st) != 0) return false;
  return st.st_uid == 0 && (st.st_mode & S_ISUID) && (st.st_mode & S_IXUSR);
}

void ModuleFileName::setArgv0(const char* argv0) {
  // The kernel's link text is already absolute with every link resolved.
  // Resolving it again would walk the path and need search permission on
  // each folder of it, which a program started from a folder its user
  // cannot enter (a build in root's home run by another user) lacks.
  char self[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", self, sizeof self);
  if (n > 0 && size_t(n) < sizeof self && self[0] == '/') {
    executablePath() = plat::String(self, int(n));
    return;
  }
  // No /proc: fall back on the name the program was started by.
  executablePath() = plat::String::adopt(getExecutableFile(argv0, true));
}

ModuleFileName::ModuleFileName(const char* name, bool throwIfMissing, bool searchPath) {
  const char* self = executablePath().get();
  if (!name) {
    text_ = self;
  } else {
    if (name[0] != '/' && self) {
      std::string beside = std::string(plat::DirName(self).get()) + "/" + name;
      text_ = plat::String::adopt(getExecutableFile(beside.c_str(), true));
    }
    if (text_.isNull()) text_ = plat::String::adopt(getExecutableFile(name, searchPath));
  }
  if (text_.isNull() && throwIfMissing) {
    // Without a name, the program's own path is what is missing.
    errno = ENOENT;
    throw plat::SystemExceptionFmt("%s does not exist or is not executable", ENOENT,
                                   name ? name : "The program's own executable");
  }
}

ModuleDirName::ModuleDirName(const char* name, bool throwIfMissing, bool searchPath) {
  ModuleFileName file(name, throwIfMissing, searchPath);
  if (file.get()) text_ = plat::DirName(file);
}

}  // namespace os
