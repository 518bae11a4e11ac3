#include "lib1/os/LaunchProcess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "AddLocStrings_os.h"
#include "lib1/os/unix/FdUtil.h"
#include "lib1/os/unix/SocketUtil.h"
#include "lib1/plat/Assert.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/File.h"
#include "lib1/plat/Log.h"
#include "lib1/rdr/Exceptions.h"
#include "lib1/rdr/FdInStream.h"

namespace os {

static AddLocStrings_os addLocStrings;

namespace {

// Longest step name an error record carries.
constexpr int kMaxErrorText = 122;

// Appends to a fixed buffer, always terminated, cut at its end: no
// allocation, so the child may use it between fork and exec.
void append(char* buf, int size, int* len, const char* text) {
  while (*text && *len < size - 1) buf[(*len)++] = *text++;
  buf[*len] = 0;
}

}  // namespace

LaunchProcess::ChildHook::~ChildHook() = default;
LaunchProcess::WaitCallback::~WaitCallback() = default;

void LaunchProcess::ChildErrorReporter::exitWithError(int err, const char* what) {
  unsigned char record[128];
  record[0] = (unsigned char)(unsigned(err) >> 24);
  record[1] = (unsigned char)(unsigned(err) >> 16);
  record[2] = (unsigned char)(unsigned(err) >> 8);
  record[3] = (unsigned char)unsigned(err);
  int n = 0;
  while (what && what[n] && n < kMaxErrorText) {
    record[5 + n] = (unsigned char)what[n];
    n++;
  }
  record[4] = (unsigned char)n;
  ssize_t written = ::write(fd, record, size_t(n + 5));
  (void)written;
  _exit(1);
}

LaunchProcess::LaunchProcess(const std::vector<plat::String>& args, DetachedLevel level)
    : dl_(level) {
  setArgs(args);
}

LaunchProcess::~LaunchProcess() {
  if (dl_ == DetachOnDestroy && child_.pid > 0) {
    abandonPid(child_.pid);
    child_.pid = -1;
  }
  for (auto& [childFd, parentFd] : childDup_) fdClose(parentFd);
}

void LaunchProcess::setArgs(const std::vector<plat::String>& args) {
  args_ = args;
  args_.emplace_back();
}

void LaunchProcess::redirectFd(int childFd, int parentFd) {
  auto old = childDup_.find(childFd);
  // The replaced descriptor was ours, and nobody else will close it.
  if (old != childDup_.end() && old->second != parentFd) fdClose(old->second);
  childDup_[childFd] = parentFd;
}

void LaunchProcess::redirectDup2(int childFrom, int childTo) {
  auto& childDup = childDup_;
  auto i = childDup.find(childFrom);
  PLAT_ASSERT_MSG(i != childDup.end(), "redirectDup2: fd %d not redirected", childFrom);
  int copy = fcntl(i->second, F_DUPFD_CLOEXEC, 0);
  if (copy < 0) throw plat::SystemException("dup", errno);
  redirectFd(childTo, copy);
}

void LaunchProcess::redirectFile(bool forReading, int childFd, const char* path, bool append) {
  int flags = forReading ? O_RDONLY : O_WRONLY | O_CREAT | (append ? O_APPEND : O_TRUNC);
  redirectFd(childFd, plat::fileOpenFd(path, flags | O_CLOEXEC, 0600));
}

void LaunchProcess::redirectStdoutAndStderr(const char* path, bool append) {
  redirectFile(false, 1, path, append);
  redirectDup2(1, 2);
}

namespace {

// Moves a descriptor above every child number in use, so that keeping the
// child's end "at its own number" cannot overwrite a redirection already
// made to that number.
int clearOf(const std::map<int, int>& childDup, int fd) {
  if (!childDup.count(fd)) return fd;
  int moved = fcntl(fd, F_DUPFD_CLOEXEC, childDup.rbegin()->first + 1);
  int err = errno;
  fdClose(fd);
  if (moved < 0) throw plat::SystemException("dup", err);
  return moved;
}

}  // namespace

int LaunchProcess::redirectPipe(bool parentWrites, int* childFd) {
  int fds[2];
  pipeCreate(fds);
  int parentEnd = parentWrites ? fds[1] : fds[0];
  int childEnd = parentWrites ? fds[0] : fds[1];
  if (*childFd < 0) {
    try {
      childEnd = clearOf(childDup_, childEnd);
    } catch (plat::Exception&) {
      fdClose(parentEnd);
      throw;
    }
    *childFd = childEnd;
  }
  redirectFd(*childFd, childEnd);
  parentOnly_.insert(parentEnd);
  return parentEnd;
}

int LaunchProcess::redirectSocketpair(int* childFd) {
  int fds[2];
  socketPair(fds);
  if (*childFd < 0) {
    try {
      fds[1] = clearOf(childDup_, fds[1]);
    } catch (plat::Exception&) {
      fdClose(fds[0]);
      throw;
    }
    *childFd = fds[1];
  }
  redirectFd(*childFd, fds[1]);
  parentOnly_.insert(fds[0]);
  return fds[0];
}

int LaunchProcess::redirectStdinAndStdout() {
  int childFd = 0;
  int parentFd = redirectSocketpair(&childFd);
  try {
    redirectDup2(0, 1);
  } catch (plat::Exception&) {
    parentOnly_.erase(parentFd);
    fdClose(parentFd);
    throw;
  }
  return parentFd;
}

void LaunchProcess::setDetachedLevel(DetachedLevel level) {
  DetachedLevel dl = level;
  PLAT_ASSERT(dl_ <= dl);
  dl_ = level;
  if (dl_ == DetachFully && child_.pid > 0) {
    abandonPid(child_.pid);
    child_.pid = -1;
  }
}

const char* LaunchProcess::name() const { return args_.size() > 1 ? args_[0].get() : "<forked>"; }

void LaunchProcess::start() {
  PLAT_ASSERT(!used_);
  used_ = true;
  if (!childDup_.count(0)) redirectFile(true, 0, "/dev/null", false);
  int errFd = -1;
  int errRead = redirectPipe(false, &errFd);
  rdr::FdInStream errIn(errRead, -1, -1, true);
  SigProcMaskRestorer restorer;
  SignalHandler::getInstance()->blockHandledSignals_(&restorer);

  // Everything the child needs is built here: between fork and exec it
  // allocates nothing.
  std::vector<int> parentOnly(parentOnly_.begin(), parentOnly_.end());
  std::vector<std::pair<int, int>> dups(childDup_.begin(), childDup_.end());
  int maxFd = 0;
  for (auto& [c, p] : dups) maxFd = std::max({maxFd, c, p});
  std::vector<char*> argv;
  for (plat::String& a : args_) argv.push_back(a.data());
  ChildErrorReporter reporter(errFd);

  bool inChild;
  if (dl_ == DetachFully) {
    inChild = forkAndDetach(&reporter);
  } else {
    int pid = fork();
    if (pid < 0) throw plat::SystemException("fork", errno);
    inChild = pid == 0;
    if (!inChild) child_.pid = pid;
  }
  if (inChild) runChild(&reporter, &restorer, parentOnly, dups, maxFd, argv.data());

  for (auto& [c, p] : childDup_) fdClose(p);
  childDup_.clear();
  // Those ends are the caller's, and the error pipe's is the stream's.
  parentOnly_.clear();
  int err = 0;
  std::unique_ptr<char[]> text;
  try {
    err = int(errIn.readU32());
    text.reset(errIn.readShortString());
  } catch (rdr::EndOfStream&) {
    // The pipe closed at execvp: the program runs.
  } catch (plat::Exception& e) {
    launchLog().error("%s", e.str());
  }
  if (text) throw plat::SystemException(text.get(), err);
}

bool LaunchProcess::forkAndDetach(ChildErrorReporter* reporter) {
  int pid = fork();
  if (pid < 0) throw plat::SystemException("fork", errno);
  if (pid > 0) {
    int rv;
    do rv = ::waitpid(pid, nullptr, 0);
    while (rv < 0 && errno == EINTR);
    PLAT_ASSERT(rv > 0);
    return false;
  }
  setsid();
  pid = fork();
  if (pid < 0) {
    if (reporter) reporter->exitWithError(errno, "fork");
    plat::SystemException e("fork", errno);
    dprintf(2, "fork error %s\n", e.str());
    _exit(1);
  }
  if (pid > 0) _exit(0);
  return true;
}

void LaunchProcess::runChild(ChildErrorReporter* reporter, SigProcMaskRestorer* restorer,
                             const std::vector<int>& parentOnly,
                             std::vector<std::pair<int, int>>& dups, int maxFd, char* const* argv) {
  restorer->unregisterSignals();
  restorer->restoreMask();
  for (int fd : parentOnly) close(fd);

  // A source that another pair's target would overwrite moves out of the
  // way first, to the first free number above every one in use.
  for (auto& [c, p] : dups) {
    if (c == p) continue;
    for (auto& other : dups) {
      if (other.second != c) continue;
      struct stat st;
      do maxFd++;
      while (fstat(maxFd, &st) == 0);
      if (!fdDup2NoThrow(other.second, maxFd)) reporter->exitWithError(errno, "dup2");
      other.second = maxFd;
    }
  }
  for (auto& [c, p] : dups)
    if (c != p && !fdDup2NoThrow(p, c)) reporter->exitWithError(errno, "dup2");
  for (auto& [c, p] : dups) {
    if (c == p) continue;
    // A source that is also another pair's own target stays open.
    bool target = false;
    for (auto& other : dups) target = target || other.first == p;
    if (!target) close(p);
  }
  for (auto& [c, p] : dups)
    if (c != reporter->fd && !fdSetInheritableNoThrow(c, true, false))
      reporter->exitWithError(errno, "fcntl");

  if (childHook) childHook->runInChild(this, reporter);
  if (!argv[0]) _exit(0);
  systemUninitSockets(true);
  execvp(argv[0], argv);
  int err = errno;
  char what[128];
  int len = 0;
  append(what, sizeof what, &len, "execvp(");
  append(what, sizeof what, &len, argv[0]);
  append(what, sizeof what, &len, ")");
  reporter->exitWithError(err, what);
}

}  // namespace os
