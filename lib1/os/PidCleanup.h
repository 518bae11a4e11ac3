// Reaping of child processes. A PidCleanup holds one child id (or -1) and
// waits for that child when it is destroyed; abandonPid hands a child to the
// process-wide reaper, which reaps it when SIGCHLD says it has ended.
#pragma once

namespace plat {
class LogWriter;
}

namespace os {

class PidCleanup {
 public:
  explicit PidCleanup(int childPid = -1) : pid(childPid) {}
  // Waits for a child still held; a failure is logged, never thrown.
  ~PidCleanup();
  PidCleanup(const PidCleanup&) = delete;
  PidCleanup& operator=(const PidCleanup&) = delete;

  // Reaps the child if it has ended (noHang) or when it ends. True when it
  // was reaped; *status then holds the wait status. Any outcome other than
  // "still running" forgets the id. A failure throws "waitpid".
  bool waitpid(int* status, bool noHang, const char* name);
  // timeoutMs < 0 waits without limit, 0 polls once, > 0 waits at most that
  // long, polling at least every second and at most every 50 ms.
  bool wait(int* status, int timeoutMs, const char* name);

  int pid;
};

// A wait status as an exit code: the exit status, minus the signal number
// for a death by a signal, -1 for anything else.
int exitCodeOf(int status);
// Logs a child that died by a signal or exited with a non-zero status.
void logChildExit(int pid, const char* name, int status);

// kill(); pid must be positive. Throws "kill(<pid>,<signal name>)".
int signalPid(int pid, int sig);
// Hands a child to the process-wide reaper. Without a descriptor manager on
// the thread nobody can be told of its end, and it stays unreaped.
void abandonPid(int pid);

// The writer "LaunchProcess", shared by everything that starts and reaps
// children.
plat::LogWriter& launchLog();

}  // namespace os
