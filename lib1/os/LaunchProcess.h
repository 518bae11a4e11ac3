// Starts a child program with fork and execvp, with chosen descriptors of
// the child taken from files, pipes, socket pairs or the parent's own
// descriptors. A failure in the child up to execvp reaches the parent as an
// exception from start(), carried over a close-on-exec pipe. The detach
// level decides who reaps the child: the launcher (DetachNone), the
// process-wide reaper (DetachOnDestroy), or nobody, the program running as
// an orphaned grandchild (DetachFully). A launcher starts at most once.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <vector>

#include "lib1/os/PidCleanup.h"
#include "lib1/os/SignalHandler.h"
#include "lib1/plat/String.h"

namespace io {
class FdIo;
}

namespace os {

enum DetachedLevel { DetachNone = 0, DetachOnDestroy = 1, DetachFully = 2 };

class LaunchProcess {
 public:
  // Ends the child with an error record that start() turns into an
  // exception. Writes from a fixed buffer: safe between fork and exec.
  class ChildErrorReporter {
   public:
    explicit ChildErrorReporter(int pipeFd) : fd(pipeFd) {}
    [[noreturn]] void exitWithError(int err, const char* what);
    int fd;
  };

  // Called in the child once its descriptors are in place, before execvp.
  // It must not allocate.
  class ChildHook {
   public:
    virtual void runInChild(LaunchProcess* launcher, ChildErrorReporter* reporter) = 0;
    virtual ~ChildHook();
  };

  class Monitor;
  class WaitCallback {
   public:
    virtual void processExited(Monitor* monitor, int exitCode) = 0;
    virtual ~WaitCallback();
  };

  LaunchProcess(const std::vector<plat::String>& args, DetachedLevel level);
  // Hands a child to the reaper (DetachOnDestroy), closes descriptors set
  // up but never given to a child, then waits for a child still held.
  ~LaunchProcess();
  LaunchProcess(const LaunchProcess&) = delete;
  LaunchProcess& operator=(const LaunchProcess&) = delete;

  void setArgs(const std::vector<plat::String>& args);
  // The child's childFd becomes parentFd, which the launcher takes over.
  void redirectFd(int childFd, int parentFd);
  // The child's childTo becomes a duplicate of what childFrom gets.
  void redirectDup2(int childFrom, int childTo);
  void redirectFile(bool forReading, int childFd, const char* path, bool append);
  void redirectStdoutAndStderr(const char* path, bool append);
  // A pipe (socket pair) whose other end the child gets at *childFd, or at
  // its own number when *childFd is negative (written back). Returns the
  // parent's end, which the caller owns.
  int redirectPipe(bool parentWrites, int* childFd);
  int redirectSocketpair(int* childFd);
  int redirectStdinAndStdout();
  // The level only rises.
  void setDetachedLevel(DetachedLevel level);

  void start();
  // The child's standard input and output as a channel the caller owns.
  io::FdIo* startWithPipe();
  // True when the child was reaped; *exitCode then holds its exit code.
  bool waitTimed(int* exitCode, int timeoutMs);
  // Hands the child to a new monitor, which the caller owns.
  Monitor* waitAsync(WaitCallback* callback);
  // Runs the prepared command through the elevation program.
  bool elevate(const char* reason);

  static int system(const std::vector<plat::String>& args);
  static int system(const char* program, ...);
  static void startDetached(const char* program, ...);
  // The child's standard input is a pipe; returns its writing end.
  static int pipeToDetached(const char* program, ...);

  ChildHook* childHook = nullptr;

 private:
  const char* name() const;
  // True in the process that is to run the program.
  bool forkAndDetach(ChildErrorReporter* reporter);
  [[noreturn]] void runChild(ChildErrorReporter* reporter, SigProcMaskRestorer* restorer,
                             const std::vector<int>& parentOnly,
                             std::vector<std::pair<int, int>>& dups, int maxFd, char* const* argv);

  std::vector<plat::String> args_;  // ends with a null entry
  std::map<int, int> childDup_;     // child descriptor -> parent descriptor
  std::set<int> parentOnly_;
  PidCleanup child_;
  DetachedLevel dl_;
  bool used_ = false;
};

// Reaps one child when SIGCHLD comes and tells the callback its exit code.
// Destroying it while the child runs waits for the child.
class LaunchProcess::Monitor : public SignalHandler::Callback {
 public:
  Monitor(int pid, WaitCallback* callback, const char* name);
  ~Monitor() override;

  void handleSignal(int sig) override;
  // Sends sig to the child; when that fails, the child goes to the reaper
  // and the callback is dropped.
  void killOrCancel(int sig);

  PidCleanup child;
  plat::String name;
  WaitCallback* callback;
};

}  // namespace os
