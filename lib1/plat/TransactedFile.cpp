#include "lib1/plat/TransactedFile.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ctime>

#include "lib1/plat/DString.h"
#include "lib1/plat/Descriptor.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/File.h"
#include "lib1/plat/Log.h"
#include "lib1/plat/Path.h"
#include "lib1/plat/StrUtil.h"

namespace plat {

PLAT_LOG_WRITER(vlog, "TransactedFile");

const char* TransactedFile::suffix = ".tmp";

namespace {

uint64_t randomBits() {
  uint64_t r;
  if (getrandom(&r, sizeof r, GRND_NONBLOCK) == ssize_t(sizeof r)) return r;
  // Without the kernel's generator: the process, the clock and a count
  // still tell this name apart from every other writer's.
  static uint64_t count = 0;
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return (uint64_t(getpid()) << 40) ^ uint64_t(ts.tv_nsec) ^ uint64_t(ts.tv_sec) << 30 ^
         ++count * 0x9E3779B97F4A7C15ull;
}

// Creates "<target>.XXXXXX<suffix>" exclusively, its X's random, and
// retries while the name is taken. The mode is less the umask, as for any
// new file. -1 with errno set, and the name tried last, on failure.
int createUnique(const char* target, mode_t mode, DString* name) {
  static const char chars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  const char* end = TransactedFile::suffix ? TransactedFile::suffix : "";
  for (int attempt = 0; attempt < 100; attempt++) {
    uint64_t r = randomBits();
    name->clear();
    name->append(target).append(".");
    for (int i = 0; i < 6; i++, r /= sizeof chars - 1)
      name->appendChar_(chars[r % (sizeof chars - 1)]);
    name->append(end);
    int fd = fileOpenFdNoThrow(*name, O_WRONLY | O_CREAT | O_EXCL, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

TransactedFile::TransactedFile(const char* path, bool binary, bool priv) {
  LinkTarget target(path);
  path_ = target.get();
  // A target that cannot be examined is taken as a new file; making the
  // temporary beside it then fails with the cause, if there is one.
  struct stat st;
  bool exists = stat(target, &st) == 0;
  // Opened without waiting: a named pipe that nothing reads fails the save
  // at once instead of holding it up for ever.
  if (exists && !S_ISREG(st.st_mode)) {
    replacePtr(fileOpenNoWait(target, binary ? "wb" : "w", false), true);
    return;
  }
  DString tmp;
  int fd = createUnique(target, priv ? 0600 : 0664, &tmp);
  if (fd < 0)
    throw SystemExceptionFmt("fileOpen(%s.XXXXXX%s)", errno, target.get(), suffix ? suffix : "");
  tmpPath_ = tmp;
  FILE* f = fdopen(fd, binary ? "wb" : "w");
  if (!f) {
    int err = errno;
    fdClose(fd);
    discard();
    throw SystemExceptionFmt("fileOpen(%s)", err, tmp.get());
  }
  replacePtr(f, true);
  // A replaced file keeps its permissions; a private one only its owner's.
  mode_t mode = st.st_mode & (priv ? 07700 : 07777);
  if (exists && fchmod(fd, mode) != 0)
    vlog().error("%s", SystemExceptionFmt("fileCopyPerms/chmod(%s)", errno, tmp.get()).str());
}

TransactedFile::~TransactedFile() { discard(); }

void TransactedFile::discard() {
  replacePtr(nullptr, own);
  if (!tmpPath_.isNull()) fileRemoveNoThrow(tmpPath_.get());
  tmpPath_ = String();
}

void TransactedFile::commit() {
  if (!file) return;
  try {
    // Named by the target, which the caller knows; the temporary goes.
    if (fflush(file) != 0) throw SystemExceptionFmt("Error writing to %s", errno, path_.get());
    // A write that failed earlier leaves its mark even when nothing was
    // left to flush.
    if (ferror(file)) throw SystemExceptionFmt("Error writing to %s", EIO, path_.get());
    // On disk before it takes the target's name: after a crash the target
    // is the old file or the new one, never an empty one.
    if (!tmpPath_.isNull() && fsync(fileno(file)) != 0)
      throw SystemExceptionFmt("fsync(%s)", errno, tmpPath_.get());
    FILE* f = file;
    file = nullptr;
    if (fclose(f) != 0) throw StdlibException("fclose()");
    if (!tmpPath_.isNull()) fileRename(tmpPath_.get(), path_.get());
    tmpPath_ = String();
  } catch (...) {
    discard();
    throw;
  }
}

}  // namespace plat
