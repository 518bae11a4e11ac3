// A program the end-to-end tests start: its standard output and error are
// pipes the test reads, its end is seen through a process descriptor, so a
// test waits on all three with one poll() and never sleeps. Standard input is
// a pipe too, closed at once unless input is given.
//
// The destructor kills the program (SIGKILL to its own pid, nothing else)
// when it is still running, and reaps it.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace e2e {

class Child {
 public:
  // argv[0] is looked for on PATH; env is the whole environment.
  Child(const std::vector<std::string>& argv, const std::vector<std::string>& env);
  ~Child();
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  pid_t pid() const { return pid_; }
  // The descriptors to poll for reading while the program runs or its
  // pipes still hold output; -1 for those done with.
  std::vector<int> fds() const;
  // Reads whatever the ready descriptors hold, and reaps the program once it
  // ended. Returns at once.
  void service();
  // Ended, and both pipes read to their end.
  bool done() const { return status_ >= -1 && outFd_ < 0 && errFd_ < 0; }
  // The exit status once done(); -1 when a signal ended it; -2 before.
  int status() const { return status_; }
  const std::string& out() const { return out_; }
  const std::string& err() const { return err_; }
  // Whole lines of standard error not yet taken.
  std::vector<std::string> takeErrLines();

 private:
  void readFrom(int& fd, std::string& into);

  pid_t pid_ = -1;
  int pidFd_ = -1;
  int outFd_ = -1;
  int errFd_ = -1;
  int status_ = -2;
  std::string out_;
  std::string err_;
  size_t errTaken_ = 0;
};

// Runs the program to its end, at most timeoutMs; false on a time-out (the
// program is then killed).
bool runToEnd(Child& child, int timeoutMs);

}  // namespace e2e
