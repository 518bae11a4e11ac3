// Directories and permissions: creating directories with controlled modes,
// removing them (recursively without following symbolic links), copying
// permission bits and taking a file over for the effective user. Failures
// throw a plat::SystemException naming the operation and the path.
#pragma once

namespace plat {

// mkdir with mode 0700 when private, else 0777 (less the umask). True when
// made; false when the directory already existed, which then, with private
// and makePrivate both set, is made private (fileMakePrivate).
bool mkDir(const char* path, bool priv, bool makePrivate);  // "mkDir(%s)"
// mkDir, making missing parents first (those never made private later).
bool mkPath(const char* path, bool priv, bool makePrivate);
// Makes a directory that takes its parent's owner, group and mode (without
// group and other bits when private, without their write bits otherwise).
// False, changing nothing, when it already existed.
bool mkDirMatchParent(const char* path, bool priv);

// rmdir; with recursive, the contents first. A symbolic link is removed,
// never followed. False with errno set when anything could not be removed.
bool rmDirNoThrow(const char* path, bool recursive);
void rmDir(const char* path, bool recursive);  // "rmDir(%s)"

// Gives `to` the permission bits of `from` (set-id and sticky included).
// False, changing nothing, when `from` does not exist.
bool fileCopyPerms(const char* from, const char* to);
// Owner the effective user, no group or other permission bits. Works on
// the file itself: a symbolic link fails (ELOOP) rather than being followed.
void fileMakePrivate(const char* path);

}  // namespace plat
