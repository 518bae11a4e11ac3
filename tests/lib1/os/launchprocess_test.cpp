#include "lib1/os/LaunchProcess.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "lib1/io/FdSelectManager.h"
#include "lib1/loc/Localize.h"
#include "lib1/os/AppInfo.h"
#include "lib1/os/unix/FdUtil.h"
#include "lib1/plat/Time.h"
#include "tests/support/Failure.h"
#include "tests/support/FileChecks.h"
#include "tests/support/TempDir.h"

using os::LaunchProcess;
using Args = std::vector<plat::String>;

namespace {

// Polls cond (turning mgr's loop between polls) for up to ten seconds.
template <typename F>
bool eventually(F cond, io::FdSelectManager* mgr = nullptr) {
  long long until = plat::getMonotonicTime(-1, nullptr) + 10000 * plat::kUnitsPerMs;
  while (!cond() && plat::getMonotonicTime(-1, nullptr) <= until)
    if (mgr) mgr->doEvents(100);
  return cond();
}

bool noChildLeft() { return waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD; }

struct ExitCode : LaunchProcess::WaitCallback {
  void processExited(LaunchProcess::Monitor*, int exitCode) override { code = exitCode; }
  int code = -1;
};

}  // namespace

TEST(LaunchProcess, MissingProgramFailsStartAtEveryLevel) {
  for (os::DetachedLevel level : {os::DetachNone, os::DetachOnDestroy, os::DetachFully}) {
    LaunchProcess p(Args{"no-such-program-here"}, level);
    gwtest::expectSystemError([&] { p.start(); }, ENOENT, "execvp(no-such-program-here): ");
  }
  while (waitpid(-1, nullptr, 0) > 0) {  // no loop took the abandoned one
  }
}

TEST(LaunchProcess, ExitCodesAreTheStatusOrMinusTheSignal) {
  EXPECT_EQ(LaunchProcess::system("sh", "-c", "exit 3", nullptr), 3);
  EXPECT_EQ(LaunchProcess::system("sh", "-c", "kill -9 $$", nullptr), -SIGKILL);
}

// Child 1 comes from our 9 and child 9 from a file: installing 9 first would lose 1.
TEST(LaunchProcess, RedirectionsReachTheChildEvenWhenTheyClash) {
  gwtest::TempDir dir;
  std::string out = dir.file("out");
  int a[2];
  os::pipeCreate(a);
  os::fdDup2(a[1], 9);
  close(a[1]);
  {
    LaunchProcess p(Args{"sh", "-c", "cat; echo one; echo nine >&9"}, os::DetachNone);
    p.redirectFd(1, 9);
    p.redirectFile(false, 9, out.c_str(), false);
    p.start();  // no redirection of 0: it reads /dev/null and goes on
  }             // the destructor waits for the child
  EXPECT_EQ(gwtest::readFile("/proc/self/fd/" + std::to_string(a[0])), "one\n");
  close(a[0]);
  EXPECT_EQ(gwtest::readFile(out), "nine\n");
  EXPECT_EQ(gwtest::modeOf(out), 0600u);
}

TEST(LaunchProcess, FullyDetachedProgramIsNoChildOfOurs) {
  gwtest::TempDir dir;
  std::string out = dir.file("ppid");
  LaunchProcess::startDetached(
      "sh", "-c", ("echo $PPID > " + out + ".t; mv " + out + ".t " + out).c_str(), nullptr);
  EXPECT_TRUE(noChildLeft());  // the intermediate child is reaped already
  ASSERT_TRUE(eventually([&] { return access(out.c_str(), F_OK) == 0; }));
  EXPECT_NE(std::stoi(gwtest::readFile(out)), getpid());
}

TEST(LaunchProcess, ChildHandedToTheReaperIsReapedFromTheLoop) {
  io::FdSelectManager mgr(false);
  { LaunchProcess(Args{"true"}, os::DetachOnDestroy).start(); }
  EXPECT_TRUE(eventually(noChildLeft, &mgr));
}

TEST(LaunchProcess, TimedWaitPollsAndAsyncWaitTakesTheChildOver) {
  io::FdSelectManager mgr(false);
  LaunchProcess p(Args{"sh", "-c", "read x; exit 5"}, os::DetachNone);
  int childIn = 0;
  int toChild = p.redirectPipe(true, &childIn);
  p.start();
  ExitCode done;
  EXPECT_FALSE(p.waitTimed(&done.code, 60));
  std::unique_ptr<LaunchProcess::Monitor> monitor(p.waitAsync(&done));
  EXPECT_EQ(gwtest::failureOf([&] { p.waitTimed(nullptr, 0); }),
            "LaunchProcess: process detached or not started");
  close(toChild);
  EXPECT_TRUE(eventually([&] { return done.code == 5; }, &mgr));
}

TEST(LaunchProcess, ElevationDoublesPercentSignsOfTheReason) {
  gwtest::TempDir dir;
  std::string args = dir.file("args");
  chmod(dir.write("zemelevate", "#!/bin/sh\nfor a; do echo \"$a\"; done > " + args + "\n").c_str(),
        0755);
  os::setAppInfo("tool", nullptr, "zem", loc::msgid_t(), nullptr);
  os::setDirSetting(&os::etcZemDir, dir.path().c_str());
  loc::Localize::inst()->setTransMapLocales({"en_US"}, nullptr);
  LaunchProcess p(Args{"cmd", "x y"}, os::DetachNone);
  EXPECT_TRUE(p.elevate("50% done"));
  EXPECT_TRUE(p.waitTimed(nullptr, -1));
  EXPECT_EQ(gwtest::readFile(args), "50%% done - %s password required\ncmd\nx y\n");
}

TEST(LaunchProcessDeathTest, MisuseIsFatal) {
  LaunchProcess p(Args{"true"}, os::DetachOnDestroy);
  EXPECT_DEATH(p.redirectDup2(1, 2), "redirectDup2: fd 1 not redirected");
  EXPECT_DEATH(p.setDetachedLevel(os::DetachNone), "dl_ <= dl");
  p.start();
  EXPECT_DEATH(p.start(), "!used_");
}
