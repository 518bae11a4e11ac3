// Another program that holds a file's plat::FileLock: a child process that
// takes the lock and keeps it until release(). The constructor returns once
// the lock is taken; the destructor releases it, should the test not have.
#pragma once

#include <unistd.h>

#include <string>

#include "lib1/plat/FileLock.h"
#include "tests/support/FileChecks.h"

namespace gwtest {

class LockHolder {
 public:
  explicit LockHolder(const std::string& path) {
    if (pipe(taken_) != 0 || pipe(release_) != 0) return;
    child_ = startChild([&] {
      plat::FileLock lock(path.c_str());
      char c = 1;
      return write(taken_[1], &c, 1) == 1 && read(release_[0], &c, 1) == 1 ? 0 : 1;
    });
    char c;
    if (read(taken_[0], &c, 1) != 1) ADD_FAILURE() << "the holder never took the lock";
  }
  ~LockHolder() {
    release();
    for (int fd : {taken_[0], taken_[1], release_[0], release_[1]})
      if (fd >= 0) close(fd);
  }
  LockHolder(const LockHolder&) = delete;
  LockHolder& operator=(const LockHolder&) = delete;

  // Lets go of the lock and waits for the holder to end; true when it ended
  // well.
  bool release() {
    if (child_ < 0) return false;
    char c = 1;
    bool told = write(release_[1], &c, 1) == 1;
    bool ended = exitCodeOf(child_) == 0;
    child_ = -1;
    return told && ended;
  }

 private:
  int taken_[2] = {-1, -1};
  int release_[2] = {-1, -1};
  pid_t child_ = -1;
};

}  // namespace gwtest
