#include "tests/e2e/Child.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace e2e {

namespace {

[[noreturn]] void fail(const char* what) {
  perror(what);
  abort();
}

std::vector<char*> pointers(const std::vector<std::string>& v) {
  std::vector<char*> p;
  for (const std::string& s : v) p.push_back(const_cast<char*>(s.c_str()));
  p.push_back(nullptr);
  return p;
}

}  // namespace

Child::Child(const std::vector<std::string>& argv, const std::vector<std::string>& env) {
  int out[2], err[2];
  if (pipe2(out, O_CLOEXEC) || pipe2(err, O_CLOEXEC)) fail("pipe");
  std::vector<char*> args = pointers(argv), envp = pointers(env);
  pid_ = fork();
  if (pid_ < 0) fail("fork");
  if (pid_ == 0) {
    // Gone with the test, even one that crashed.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    int null = open("/dev/null", O_RDONLY);
    if (null >= 0) dup2(null, 0);
    dup2(out[1], 1);
    dup2(err[1], 2);
    execvpe(args[0], args.data(), envp.data());
    _exit(127);
  }
  close(out[1]);
  close(err[1]);
  outFd_ = out[0];
  errFd_ = err[0];
  pidFd_ = int(syscall(SYS_pidfd_open, pid_, 0));
  if (pidFd_ < 0) fail("pidfd_open");
}

Child::~Child() {
  if (status_ == -2) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  for (int fd : {pidFd_, outFd_, errFd_})
    if (fd >= 0) close(fd);
}

std::vector<int> Child::fds() const {
  std::vector<int> v;
  for (int fd : {status_ == -2 ? pidFd_ : -1, outFd_, errFd_})
    if (fd >= 0) v.push_back(fd);
  return v;
}

void Child::readFrom(int& fd, std::string& into) {
  if (fd < 0) return;
  pollfd p{fd, POLLIN, 0};
  while (poll(&p, 1, 0) > 0) {
    char buf[65536];
    ssize_t n = read(fd, buf, sizeof buf);
    if (n <= 0) {
      close(fd);
      fd = -1;
      return;
    }
    into.append(buf, size_t(n));
  }
}

void Child::service() {
  readFrom(outFd_, out_);
  readFrom(errFd_, err_);
  if (status_ != -2) return;
  int status;
  if (waitpid(pid_, &status, WNOHANG) == pid_)
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> Child::takeErrLines() {
  std::vector<std::string> lines;
  for (size_t end; (end = err_.find('\n', errTaken_)) != std::string::npos; errTaken_ = end + 1)
    lines.push_back(err_.substr(errTaken_, end - errTaken_));
  return lines;
}

bool runToEnd(Child& child, int timeoutMs) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (child.service(); !child.done(); child.service()) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        end - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    std::vector<pollfd> p;
    for (int fd : child.fds()) p.push_back({fd, POLLIN, 0});
    poll(p.data(), p.size(), int(left.count()));
  }
  return true;
}

}  // namespace e2e
