#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>

#include <cerrno>
#include <stdexcept>

#include "tools/winshot/ChildProcess.h"

namespace {

using winshot::ChildProcess;
using Clock = ChildProcess::Clock;

Clock::time_point soon() { return Clock::now() + std::chrono::seconds(10); }

TEST(ChildProcessTest, ReportsHowTheProgramEnded) {
  struct Row {
    const char* script;
    const char* described;
  } rows[] = {{"exit 0", "exit status 0"},
              {"exit 3", "exit status 3"},
              {"kill -9 $$", "killed by signal 9"}};
  for (const Row& r : rows) {
    ChildProcess child({"sh", "-c", r.script});
    auto status = child.wait(soon());
    ASSERT_TRUE(status) << r.script;
    EXPECT_EQ(ChildProcess::describe(*status), r.described) << r.script;
    // Asked again, the same answer from the reaped process.
    EXPECT_EQ(child.wait(Clock::now()), status) << r.script;
  }
}

TEST(ChildProcessTest, ItsEndMakesTheDescriptorReadable) {
  ChildProcess child({"sh", "-c", "exit 0"});
  pollfd p{child.endedFd(), POLLIN, 0};
  EXPECT_EQ(poll(&p, 1, 10000), 1);
}

TEST(ChildProcessTest, AProgramStillRunningIsStoppedWithItsWatcher) {
  pid_t pid;
  {
    ChildProcess child({"sleep", "60"});
    pid = child.pid();
    EXPECT_FALSE(child.wait(Clock::now() + std::chrono::milliseconds(50)));
  }
  EXPECT_EQ(kill(pid, 0), -1);
  EXPECT_EQ(errno, ESRCH);
}

TEST(ChildProcessTest, AProgramThatCannotStartIsAnError) {
  try {
    ChildProcess child({"/nonexistent/program"});
    FAIL() << "started";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "cannot start /nonexistent/program: No such file or directory");
  }
  EXPECT_THROW(ChildProcess({}), std::runtime_error);
}

}  // namespace
