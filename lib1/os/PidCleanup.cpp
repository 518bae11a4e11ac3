#include "lib1/os/PidCleanup.h"

#include <sys/select.h>
#include <sys/wait.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <vector>

#include "lib1/io/FdManager.h"
#include "lib1/os/SignalHandler.h"
#include "lib1/plat/Assert.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/Log.h"
#include "lib1/plat/Time.h"

namespace os {

PLAT_LOG_WRITER(vlog, "LaunchProcess");

plat::LogWriter& launchLog() { return vlog(); }

namespace {

// The process-wide reaper of abandoned children.
class PidManager : public SignalHandler::Callback {
 public:
  static PidManager* get() {
    // Never destroyed: a child may be handed over from any static
    // destructor, and the dispatcher must not call a dead reaper.
    static PidManager* const instance = new PidManager;
    return instance;
  }

  void add(int pid) { pids_.push_back(pid); }

  void handleSignal(int) override {
    std::erase_if(pids_, [](int pid) {
      int status = 0;
      int rv;
      do rv = ::waitpid(pid, &status, WNOHANG);
      while (rv < 0 && errno == EINTR);
      if (rv == 0) return false;
      if (rv > 0) {
        logChildExit(pid, "<detached>", status);
      } else {
        plat::SystemException e("", errno);
        // The exception's text starts with ": ", after the empty caller text.
        vlog().error("waitpid(%lu) detached: %s", (unsigned long)pid, e.str() + 2);
      }
      return true;
    });
  }

 private:
  PidManager() { SignalHandler::getInstance()->setCallback_(SIGCHLD, this, true); }

  std::vector<int> pids_;
};

}  // namespace

PidCleanup::~PidCleanup() {
  try {
    wait(nullptr, -1, nullptr);
  } catch (plat::Exception& e) {
    vlog().error("~PidCleanup: %s", e.str());
  }
}

bool PidCleanup::waitpid(int* status, bool noHang, const char* name) {
  if (pid < 0) return false;
  int st = 0;
  int rv;
  do rv = ::waitpid(pid, &st, noHang ? WNOHANG : 0);
  while (rv < 0 && errno == EINTR);
  if (status) *status = st;
  if (rv == 0) return false;
  int child = pid;
  pid = -1;
  if (rv < 0) throw plat::SystemException("waitpid", errno);
  logChildExit(child, name ? name : "<unknown>", st);
  return true;
}

bool PidCleanup::wait(int* status, int timeoutMs, const char* name) {
  if (timeoutMs < 0) return waitpid(status, false, name);
  if (timeoutMs == 0) return waitpid(status, true, name);
  long long started = plat::getMonotonicTime(-1, nullptr);
  // With a loop on the thread, SIGCHLD interrupts the sleep below, so the
  // child's end is seen at once rather than at the next poll.
  if (io::FdManager::threadInstance()) PidManager::get();
  int delayMs = 0;
  for (;;) {
    if (delayMs > 0) {
      timeval tv = {delayMs / 1000, (delayMs % 1000) * 1000};
      if (select(0, nullptr, nullptr, nullptr, &tv) < 0 && errno != EINTR)
        throw plat::SystemException("select", errno);
    }
    if (waitpid(status, true, name)) return true;
    long long elapsed = (plat::getMonotonicTime(-1, nullptr) - started) / plat::kUnitsPerMs;
    elapsed = std::clamp(elapsed, 0LL, (long long)timeoutMs);
    int left = timeoutMs - int(elapsed);
    delayMs = std::min(left, std::clamp(timeoutMs / 10, 50, 1000));
    if (delayMs < 1) return false;
  }
}

int exitCodeOf(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return -WTERMSIG(status);
  return -1;
}

void logChildExit(int pid, const char* name, int status) {
  if (WIFSIGNALED(status)) {
    const char* sigName = strSignal(WTERMSIG(status));
    char number[16];
    if (!sigName) {
      snprintf(number, sizeof number, "%d", WTERMSIG(status));
      sigName = number;
    }
    vlog().debug("child %lu (%s) exited with %s %s", (unsigned long)pid, name, "signal", sigName);
  } else if (WIFEXITED(status) && WEXITSTATUS(status) != 0) {
    vlog().debug("child %lu (%s) exited with status %d", (unsigned long)pid, name,
                 WEXITSTATUS(status));
  }
}

int signalPid(int pid, int sig) {
  PLAT_ASSERT(pid > 0);
  if (kill(pid, sig) == 0) return 0;
  int err = errno;
  const char* sigName = strSignal(sig);
  if (sigName) throw plat::SystemExceptionFmt("kill(%ld,%s)", err, (long)pid, sigName);
  throw plat::SystemExceptionFmt("kill(%ld,%d)", err, (long)pid, sig);
}

void abandonPid(int pid) {
  if (!io::FdManager::threadInstance()) return;
  PidManager* reaper = PidManager::get();
  reaper->add(pid);
  reaper->handleSignal(SIGCHLD);
}

}  // namespace os
