// Checks shared by the file-system tests: a path's mode and owner, the exit
// code of work done in a child process (with a file-size limit, where a
// full disk is wanted), and the one shape of a failing file
// operation (the throwing form names it, its NoThrow twin returns false).
#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <functional>
#include <string>

#include "tests/support/Failure.h"

namespace gwtest {

// The permission bits of path itself (links not followed); -1 when missing.
inline mode_t modeOf(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : mode_t(-1);
}

inline uid_t ownerOf(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0 ? st.st_uid : uid_t(-1);
}

// Starts f in a forked child, which exits with f's result; see exitCodeOf().
inline pid_t startChild(const std::function<int()>& f) {
  pid_t pid = fork();
  if (pid == 0) _exit(f());
  return pid;
}

// The child's exit code once it ends; -1 when it died of a signal (an
// exception it let out, say).
inline int exitCodeOf(pid_t child) {
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs f in a child whose files cannot grow beyond limit bytes, and gives
// f's result: a write past the limit fails (EFBIG) as on a full disk, also
// for root, who may write where no one else can.
inline int inChildWithFileLimit(rlim_t limit, const std::function<int()>& f) {
  return exitCodeOf(startChild([&] {
    signal(SIGXFSZ, SIG_IGN);
    rlimit rl = {limit, limit};
    return setrlimit(RLIMIT_FSIZE, &rl) == 0 ? f() : 99;
  }));
}

// One failing operation: call throws a plat::SystemException with err whose
// text starts with text; twin, unless null, returns false with errno err.
struct FileFailure {
  std::function<void()> call;
  std::function<bool()> twin;
  int err;
  std::string text;
};

inline void expectFailure(const FileFailure& f) {
  expectSystemError(f.call, f.err, f.text.c_str());
  if (!f.twin) return;
  errno = 0;
  EXPECT_FALSE(f.twin()) << f.text;
  EXPECT_EQ(errno, f.err) << f.text;
}

}  // namespace gwtest
