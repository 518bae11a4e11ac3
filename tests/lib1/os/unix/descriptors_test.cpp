#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "lib1/os/unix/FdUtil.h"
#include "lib1/os/unix/SocketUtil.h"
#include "tests/support/CaptureLogger.h"
#include "tests/support/Failure.h"

using namespace os;
using namespace gwtest;

namespace {

// Sets the soft limit on descriptors; returns the one it replaced.
rlim_t swapSoftLimit(rlim_t limit) {
  rlimit rl;
  getrlimit(RLIMIT_NOFILE, &rl);
  std::swap(rl.rlim_cur, limit);
  setrlimit(RLIMIT_NOFILE, &rl);
  return limit;
}

// The set-up happens once per process: each scenario runs in a fresh child.
#define IN_CHILD(body)                            \
  GTEST_FLAG_SET(death_test_style, "threadsafe"); \
  EXPECT_EXIT({ body _exit(::testing::Test::HasFailure()); }, ::testing::ExitedWithCode(0), "")

}  // namespace

TEST(FdUtil, EverythingCreatedIsCloseOnExec) {
  int p[2], sp[2];
  pipeCreate(p);
  socketPair(sp);
  int onto = fdDup(sp[0]);
  fdSetInheritable(onto, true, false);
  EXPECT_TRUE(fdGetInheritable(onto));
  fdDup2(p[0], onto);  // replaces an open descriptor
  const int all[] = {p[0], p[1], sp[0], sp[1], fdDup(p[0]), onto};
  for (int fd : all) EXPECT_FALSE(fdGetInheritable(fd)) << fd;
  for (int fd : all) EXPECT_EQ(fdClose(fd), 0);
}

TEST(FdUtil, SetBlockingSwitchesNonBlockingAloneAndKeepsAppend) {
  char path[] = "/tmp/gw_fdutil_XXXXXX";
  int fd = mkostemp(path, O_CLOEXEC | O_APPEND);
  unlink(path);
  fdSetBlocking(fd, false);
  EXPECT_EQ(fcntl(fd, F_GETFL) & (O_NONBLOCK | O_APPEND), O_NONBLOCK | O_APPEND);
  fdSetBlocking(fd, true);
  EXPECT_EQ(fcntl(fd, F_GETFL) & (O_NONBLOCK | O_APPEND), O_APPEND);
  close(fd);
}

TEST(FdUtil, BadDescriptorsRaiseNamedErrors) {
  const std::pair<std::function<void()>, const char*> cases[] = {
      {[] { fdSetBlocking(-1, true); }, "setBlocking: Bad file descriptor (9)"},
      {[] { fdGetInheritable(-1); }, "getInheritable: Bad file descriptor (9)"},
      {[] { fdDup2(-1, 50); }, "dup2: Bad file descriptor (9)"},
      {[] { fdDup2(0, 0); }, "dup2: Invalid argument (22)"},  // onto itself: refused
      {[] { fdDup(-1); }, "fcntl(F_DUPFD_CLOEXEC): Bad file descriptor (9)"},
      {[] { socketAccept(-1); }, "accept: Bad file descriptor (9)"},
      {[] { socketSetRcvBuf(-1, 1); }, "getsockopt(SO_RCVBUF): Bad file descriptor (9)"},
  };
  for (const auto& [call, message] : cases) EXPECT_EQ(failureOf(call), message);
}

TEST(SocketUtil, CreateWithAnUnknownFamilyReturnsTheError) {
  errno = 0;
  EXPECT_LT(socketCreate(-7, SOCK_STREAM, 0), 0);
  EXPECT_EQ(errno, EAFNOSUPPORT);
}

TEST(SocketUtil, SmallerReceiveBufferIsOnlyReported) {
  int sp[2];
  socketPair(sp);
  CaptureLogger cap;
  RouteWriter route(plat::LogWriter::getLogWriter("SocketUtil"), &cap, 100);
  int size = 0;
  socklen_t len = sizeof size;
  getsockopt(sp[0], SOL_SOCKET, SO_RCVBUF, &size, &len);
  socketSetRcvBuf(sp[0], 1024);  // the size that stays is the one logged
  EXPECT_TRUE(cap.has("Using receive buffer size of " + std::to_string(size / 1024) + " KiB"));
  close(sp[0]);
  close(sp[1]);
}

TEST(SocketUtilDeathTest, InitIgnoresSigpipeOnceAndUninitRestoresTheLimit) {
  IN_CHILD({
    swapSoftLimit(1024);
    systemInitSockets();
    raise(SIGPIPE);                        // ignored: the process survives
    EXPECT_EQ(swapSoftLimit(500), 1024u);  // the loop serves that many: left alone
    systemUninitSockets(true);             // as in a launched child
    EXPECT_EQ(swapSoftLimit(1024), 1024u);
    systemInitSockets();  // done once: changes nothing now
    EXPECT_EQ(signal(SIGPIPE, SIG_DFL), SIG_DFL);
  });
}

TEST(SocketUtilDeathTest, InitLowersALimitTheLoopCannotServe) {
  rlimit rl;
  getrlimit(RLIMIT_NOFILE, &rl);
  rl.rlim_max = std::max<rlim_t>(rl.rlim_max, 100000);
  if (setrlimit(RLIMIT_NOFILE, &rl) != 0) GTEST_SKIP() << "no right to raise the hard limit";
  IN_CHILD({
    swapSoftLimit(100000);
    systemInitSockets();
    EXPECT_EQ(swapSoftLimit(65536), 65536u);
  });
}

#if !defined(__SANITIZE_ADDRESS__)  // the sanitizers need a descriptor of their own
TEST(FdUtilDeathTest, DupWithoutAFreeDescriptorSaysSo) {
  IN_CHILD({
    int lowestFree = dup(0);
    close(lowestFree);
    swapSoftLimit(rlim_t(lowestFree));
    EXPECT_EQ(failureOf([] { fdDup(0); }), "fcntl(F_DUPFD_CLOEXEC): Too many open files (24)");
  });
}
#endif
