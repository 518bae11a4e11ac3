// plat::FileLock: the advisory lock that programs saving one file hold from
// reading it to putting the new version in place, so that none of them
// loses another's changes. It is taken on a file of its own beside the
// target, "<target>.lock" (the target's symbolic links followed): the
// target itself is replaced by a rename while the lock is held, and may not
// exist yet. The holder removes the lock file as it lets go; one left behind
// by a holder that died is simply taken over. A target that exists and is
// no regular file (a device, a pipe) is written in place, and not locked.
//
// Taking the lock waits while another program holds it, and gives up with
// an error after a time-out, so that a holder that never lets go cannot
// hang every later save.
#pragma once

#include "lib1/plat/FilePtr.h"
#include "lib1/plat/String.h"

namespace plat {

class FileLock {
 public:
  // Throws "fileOpenFd(%s)" for a lock file that cannot be made, and
  // "Cannot lock %s: another program held it for %d ms" on the time-out.
  explicit FileLock(const char* path, int timeoutMs = defaultTimeoutMs);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // The lock file, null when nothing is locked.
  const char* lockPath() const { return lockPath_.get(); }

  static int defaultTimeoutMs;  // 10000 unless changed

 private:
  String lockPath_;
  FilePtr file_;
};

}  // namespace plat
