#include "tools/winshot/ChildProcess.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace winshot {

ChildProcess::ChildProcess(const std::vector<std::string>& argv) {
  if (argv.empty()) throw std::runtime_error("no program to start");
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  int err = posix_spawnp(&pid_, args[0], nullptr, nullptr, args.data(), environ);
  if (err != 0) {
    pid_ = -1;
    throw std::runtime_error("cannot start " + argv[0] + ": " + strerror(err));
  }
  // A program that has already ended still gets a descriptor: it stays a
  // zombie until reaped.
  pidFd_ = int(syscall(SYS_pidfd_open, pid_, 0));
  if (pidFd_ < 0) {
    std::string why = strerror(errno);
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    throw std::runtime_error("pidfd_open: " + why);
  }
}

ChildProcess::~ChildProcess() {
  if (pid_ > 0 && !status_) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (pidFd_ >= 0) close(pidFd_);
}

std::optional<int> ChildProcess::wait(Clock::time_point deadline) {
  while (!status_) {
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    pollfd p{pidFd_, POLLIN, 0};
    int n = poll(&p, 1, int(left > 0 ? left : 0));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return std::nullopt;
    int status = 0;
    pid_t got = waitpid(pid_, &status, 0);
    if (got == pid_)
      status_ = status;
    else if (got < 0 && errno != EINTR)
      throw std::runtime_error(std::string("waitpid: ") + strerror(errno));
  }
  return status_;
}

std::string ChildProcess::describe(int status) {
  if (WIFEXITED(status)) return "exit status " + std::to_string(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return "killed by signal " + std::to_string(WTERMSIG(status));
  return "wait status " + std::to_string(status);
}

}  // namespace winshot
