// Path names. CanonicalName, DirName and BaseName work on the text alone;
// CurrentDirectory and RealPath ask the file system. Each holder owns its
// NUL-terminated result and reads as a C string.
//
// The canonical form has no empty or "." components and no trailing "/";
// ".." stays only at the front of a relative path; the empty path is ".".
#pragma once

#include "lib1/plat/String.h"

namespace plat {

bool isAbsolutePath(const char* path);  // begins with "/"
bool hasParentDir(const char* path);    // anything but "/" itself

class PathText {
 public:
  operator const char*() const { return text_.get(); }
  const char* get() const { return text_.get(); }

 protected:
  String text_;
};

class CanonicalName : public PathText {
 public:
  explicit CanonicalName(const char* path);
};

// The directory part of the canonical form: "/a" gives "/", "a" gives ".",
// "." gives "..", and a path ending in ".." gives one more "..".
class DirName : public PathText {
 public:
  explicit DirName(const char* path);
};

// The last component of the canonical form ("." for one ending in ".."),
// less the suffix when it ends with it and is longer.
class BaseName : public PathText {
 public:
  explicit BaseName(const char* path, const char* suffix = nullptr);
};

class CurrentDirectory : public PathText {
 public:
  CurrentDirectory();  // "getcwd"
};

// The absolute path with every symbolic link resolved; every component must
// exist. Failures throw "realpath(%s)" with the caller's path.
class RealPath : public PathText {
 public:
  explicit RealPath(const char* path);
};

// The file a save through path replaces: the symbolic links of its last
// component followed, up to a link to a file that does not exist yet.
// Links in the directories above need no following: a rename in the
// directory they lead to goes through them as well. A loop, or a link too
// long to read, throws "fileOpen(%s)" with the caller's path.
class LinkTarget : public PathText {
 public:
  explicit LinkTarget(const char* path);
};

}  // namespace plat
