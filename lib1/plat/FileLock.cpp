#include "lib1/plat/FileLock.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <ctime>

#include "lib1/plat/DString.h"
#include "lib1/plat/Descriptor.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/File.h"
#include "lib1/plat/Path.h"
#include "lib1/plat/Time.h"

namespace plat {

int FileLock::defaultTimeoutMs = 10000;

namespace {

// How long a waiter sleeps between attempts.
constexpr int kRetryMs = 5;

// The lock file at path, opened (made when missing) for reading and
// writing; a link in its place is refused.
FILE* openLockFile(const char* path) {
  int fd = fileOpenFd(path, O_RDWR | O_CREAT | O_NOFOLLOW, 0666);
  FILE* f = fdopen(fd, "r+");
  if (!f) {
    int err = errno;
    fdClose(fd);
    throw SystemExceptionFmt("fileOpen(%s)", err, path);
  }
  return f;
}

// The previous holder removes the file as it lets go: a lock won on the
// removed file, or on one since made anew at the path, locks nothing.
bool stillAtPath(FILE* f, const char* path) {
  struct stat held, atPath;
  return fstat(fileno(f), &held) == 0 && lstat(path, &atPath) == 0 &&
         held.st_dev == atPath.st_dev && held.st_ino == atPath.st_ino;
}

}  // namespace

FileLock::FileLock(const char* path, int timeoutMs) {
  LinkTarget target(path);
  struct stat st;
  if (stat(target, &st) == 0 && !S_ISREG(st.st_mode)) return;
  DString lockPath;
  lockPath.append(target).append(".lock");
  long long deadline = getMonotonicTime(-1, nullptr) + timeoutMs * kUnitsPerMs;
  for (;;) {
    file_.replacePtr(openLockFile(lockPath), true);
    if (fileLock(file_, false)) {
      if (stillAtPath(file_, lockPath)) break;
      continue;
    }
    file_.replacePtr(nullptr, true);
    long long left = deadline - getMonotonicTime(-1, nullptr);
    if (left <= 0)
      throw Exception(1, "Cannot lock %s: another program held it for %d ms", target.get(),
                      timeoutMs);
    long long wait = left < kRetryMs * kUnitsPerMs ? left : kRetryMs * kUnitsPerMs;
    timespec ts{time_t(wait / (1000 * kUnitsPerMs)), long(wait % (1000 * kUnitsPerMs) * 100)};
    nanosleep(&ts, nullptr);
  }
  lockPath_ = lockPath;
}

FileLock::~FileLock() {
  if (lockPath_.isNull()) return;
  // Removed while still held, so that no one takes a lock on it in between
  // and believes it the lock in force.
  fileRemoveNoThrow(lockPath_.get());
  file_.replacePtr(nullptr, true);
}

}  // namespace plat
