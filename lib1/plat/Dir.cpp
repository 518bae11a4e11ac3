#include "lib1/plat/Dir.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "lib1/plat/DString.h"
#include "lib1/plat/Descriptor.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/File.h"
#include "lib1/plat/Path.h"

namespace plat {

bool mkDir(const char* path, bool priv, bool makePrivate) {
  if (mkdir(path, priv ? 0700 : 0777) == 0) return true;
  int err = errno;
  if (!isDir(path)) throw SystemExceptionFmt("mkDir(%s)", err, path);
  if (priv && makePrivate) fileMakePrivate(path);
  return false;
}

bool mkPath(const char* path, bool priv, bool makePrivate) {
  try {
    return mkDir(path, priv, makePrivate);
  } catch (SystemException& e) {
    if (e.err != ENOENT) throw;
  }
  mkPath(DirName(path), priv, false);
  return mkDir(path, priv, makePrivate);
}

bool mkDirMatchParent(const char* path, bool priv) {
  if (!mkDir(path, true, false)) return false;
  struct stat parent;
  if (stat(DirName(path), &parent) != 0) throw SystemException("mkDirMatchParent/stat", errno);
  if (chown(path, parent.st_uid, parent.st_gid) != 0)
    throw SystemException("mkDirMatchParent/chown", errno);
  if (chmod(path, parent.st_mode & (priv ? 07700 : 07755)) != 0)
    throw SystemException("mkDirMatchParent/chmod", errno);
  return true;
}

bool rmDirNoThrow(const char* path, bool recursive) {
  if (!recursive) return rmdir(path) == 0;
  // O_NOFOLLOW: a link given as the directory is never entered.
  int fd = open(path, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  DIR* dir = fd < 0 ? nullptr : fdopendir(fd);
  if (!dir) {
    if (fd >= 0) fdClose(fd);
    return rmdir(path) == 0;
  }
  DString entry;
  bool ok = true;
  while (dirent* de = readdir(dir)) {
    const char* name = de->d_name;
    if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) continue;
    entry.clear();
    entry.prf("%s/%s", path, name);
    struct stat st;
    if (lstat(entry, &st) != 0) continue;
    if (S_ISDIR(st.st_mode)) {
      rmDirNoThrow(entry, true);
    } else if (!fileRemoveNoThrow(entry)) {
      ok = false;
      break;
    }
  }
  int err = errno;
  closedir(dir);
  if (!ok) {
    errno = err;
    return false;
  }
  return rmdir(path) == 0;
}

void rmDir(const char* path, bool recursive) {
  if (!rmDirNoThrow(path, recursive)) throw SystemExceptionFmt("rmDir(%s)", errno, path);
}

bool fileCopyPerms(const char* from, const char* to) {
  struct stat st;
  if (stat(from, &st) != 0) {
    if (errno == ENOENT) return false;
    throw SystemExceptionFmt("fileCopyPerms/stat(%s)", errno, from);
  }
  if (chmod(to, st.st_mode & 07777) != 0)
    throw SystemExceptionFmt("fileCopyPerms/chmod(%s)", errno, to);
  return true;
}

void fileMakePrivate(const char* path) {
  // One descriptor for the examination and both changes: no link is
  // followed, and the file cannot be swapped between the steps.
  int fd = open(path, O_PATH | O_NOFOLLOW | O_CLOEXEC);
  struct stat st;
  if (fd < 0 || fstat(fd, &st) != 0 || (S_ISLNK(st.st_mode) && (errno = ELOOP))) {
    int err = errno;
    if (fd >= 0) fdClose(fd);
    throw SystemExceptionFmt("fileMakePrivate/stat(%s)", err, path);
  }
  // A path-only descriptor takes no fchmod: change it through its /proc
  // name, which stands for exactly this file.
  char self[40];
  snprintf(self, sizeof(self), "/proc/self/fd/%d", fd);
  const char* failed = nullptr;
  if (st.st_uid != geteuid() && chown(self, geteuid(), gid_t(-1)) != 0)
    failed = "fileMakePrivate/chown(%s)";
  else if ((st.st_mode & 077) && chmod(self, st.st_mode & 07700) != 0)
    failed = "fileMakePrivate/chmod(%s)";
  int err = errno;
  fdClose(fd);
  if (failed) throw SystemExceptionFmt(failed, err, path);
}

}  // namespace plat
