// plat::TransactedFile: a file written under a temporary name of its own
// and put in place by one rename on commit. Readers never see a half-written
// target; without a commit, or when the commit fails, the target stays as it
// was and the temporary file is removed again.
//
// The temporary file sits in the target's directory (a rename cannot cross
// file systems) under a name no other writer uses at the same time: the
// target's name, a dot, six random characters and `suffix`. So two programs
// saving one file at once each publish a whole file, and the last rename
// wins. A target reached through symbolic links is the file they lead to:
// the links stay links. A target that exists and is no regular file (a
// device, a pipe) cannot be replaced by a rename and is written in place,
// opened without waiting: a pipe that nothing reads fails at once (ENXIO).
#pragma once

#include <memory>

#include "lib1/plat/FilePtr.h"
#include "lib1/plat/String.h"

namespace plat {

class TransactedFile : public FilePtr {
 public:
  // Creates the temporary file for writing, close-on-exec, with the
  // permission bits of the target when it exists (0664 less the umask
  // otherwise). A private one is born 0600 and never has group or other
  // bits. Throws "fileOpen(%s)" naming the temporary (its random part as
  // XXXXXX); nothing is left behind then.
  TransactedFile(const char* path, bool binary, bool priv);
  ~TransactedFile();

  // Flushes, syncs to disk and closes the temporary file, and only when all
  // of that succeeded renames it onto the target. Any failure throws, with
  // the temporary removed and the target as it was; a write that failed
  // throws "Error writing to %s" naming the target. A second call does
  // nothing.
  void commit();

  // The file written: the target with its symbolic links followed.
  const char* path() const { return path_.get(); }
  // Null once committed, and for a target written in place.
  const char* tmpPath() const { return tmpPath_.get(); }

  static const char* suffix;  // ".tmp" unless changed

 private:
  void discard();

  String path_;
  String tmpPath_;
};

}  // namespace plat
