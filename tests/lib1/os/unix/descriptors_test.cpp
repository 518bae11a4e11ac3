#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <functional>

#include "lib1/os/unix/FdUtil.h"
#include "lib1/os/unix/SocketUtil.h"
#include "tests/support/CaptureLogger.h"
#include "tests/support/Failure.h"

using namespace os;

using namespace gwtest;

namespace {

rlim_t softLimit() {
  rlimit rl;
  getrlimit(RLIMIT_NOFILE, &rl);
  return rl.rlim_cur;
}

void setSoftLimit(rlim_t limit) {
  rlimit rl;
  getrlimit(RLIMIT_NOFILE, &rl);
  rl.rlim_cur = limit;
  setrlimit(RLIMIT_NOFILE, &rl);
}

// The process set-up happens once per process: each scenario runs in a
// freshly started child.
#define IN_CHILD(body)                            \
  GTEST_FLAG_SET(death_test_style, "threadsafe"); \
  EXPECT_EXIT({ body _exit(::testing::Test::HasFailure()); }, ::testing::ExitedWithCode(0), "")

}  // namespace

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

TEST(FdUtil, EverythingCreatedIsCloseOnExec) {
  int p[2], sp[2];
  pipeCreate(p);
  socketPair(sp);
  int copy = fdDup(p[0]);
  int onto = fdDup(sp[0]);
  fdSetInheritable(onto, true, false);
  EXPECT_TRUE(fdGetInheritable(onto));
  fdDup2(p[0], onto);  // replaces an open descriptor
  for (int fd : {p[0], p[1], sp[0], sp[1], copy, onto}) EXPECT_FALSE(fdGetInheritable(fd)) << fd;
  char c;
  EXPECT_EQ(write(p[1], "z", 1), 1);
  EXPECT_EQ(read(onto, &c, 1), 1);  // now the pipe's read end
  for (int fd : {p[0], p[1], sp[0], sp[1], copy, onto}) EXPECT_EQ(fdClose(fd), 0);
}

TEST(FdUtil, Dup2OntoItselfIsRefusedAndLeavesItOpen) {
  int p[2];
  pipeCreate(p);
  errno = 0;
  EXPECT_FALSE(fdDup2NoThrow(p[0], p[0]));
  EXPECT_EQ(errno, EINVAL);
  EXPECT_EQ(fdClose(p[0]), 0);
  EXPECT_EQ(fdClose(p[1]), 0);
}

TEST(FdUtil, BadDescriptorsRaiseNamedErrors) {
  const struct {
    std::function<void()> call;
    const char* message;
  } cases[] = {
      {[] { fdSetBlocking(-1, true); }, "setBlocking: Bad file descriptor (9)"},
      {[] { fdGetInheritable(-1); }, "getInheritable: Bad file descriptor (9)"},
      {[] { fdDup2(-1, 50); }, "dup2: Bad file descriptor (9)"},
      {[] { fdDup(-1); }, "fcntl(F_DUPFD_CLOEXEC): Bad file descriptor (9)"},
      {[] { socketAccept(-1); }, "accept: Bad file descriptor (9)"},
      {[] { socketSetRcvBuf(-1, 1); }, "getsockopt(SO_RCVBUF): Bad file descriptor (9)"},
  };
  for (const auto& c : cases) EXPECT_EQ(failureOf(c.call), c.message);
}

TEST(SocketUtil, AcceptGivesMinusOneUntilAClientConnects) {
  int lst = socketCreate(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr = {};
  addr.sun_family = AF_UNIX;  // abstract: nothing left in the file system
  int n = snprintf(addr.sun_path + 1, sizeof addr.sun_path - 1, "gw-%d", int(getpid()));
  socklen_t len = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + n);
  ASSERT_EQ(bind(lst, reinterpret_cast<sockaddr*>(&addr), len), 0);
  ASSERT_EQ(listen(lst, 1), 0);
  fdSetBlocking(lst, false);
  EXPECT_EQ(socketAccept(lst), -1);
  int client = socketCreate(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_EQ(connect(client, reinterpret_cast<sockaddr*>(&addr), len), 0);
  int s = socketAccept(lst);
  EXPECT_GE(s, 0);
  for (int fd : {lst, client, s}) {
    EXPECT_FALSE(fdGetInheritable(fd));
    close(fd);
  }
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
  int before = 0, after = 0;
  socklen_t len = sizeof before;
  getsockopt(sp[0], SOL_SOCKET, SO_RCVBUF, &before, &len);
  socketSetRcvBuf(sp[0], 1024);
  getsockopt(sp[0], SOL_SOCKET, SO_RCVBUF, &after, &len);
  EXPECT_EQ(after, before);
  EXPECT_TRUE(cap.has("Using receive buffer size of " + std::to_string(before / 1024) + " KiB"));
  close(sp[0]);
  close(sp[1]);
}

TEST(SocketUtilDeathTest, InitIgnoresSigpipeOnceAndUninitRestoresTheLimit) {
  IN_CHILD({
    int p[2];
    pipeCreate(p);
    close(p[0]);
    setSoftLimit(1024);
    systemInitSockets();
    EXPECT_EQ(softLimit(), 1024u);  // the loop serves that many: left alone
    errno = 0;
    EXPECT_EQ(write(p[1], "x", 1), -1);  // the process survives
    EXPECT_EQ(errno, EPIPE);
    setSoftLimit(500);
    systemUninitSockets(true);  // as in a launched child
    EXPECT_EQ(softLimit(), 1024u);
    systemInitSockets();  // done once: changes nothing now
    EXPECT_EQ(signal(SIGPIPE, SIG_DFL), SIG_DFL);
  });
}

TEST(SocketUtilDeathTest, InitKeepsTheApplicationsOwnSigpipeHandler) {
  IN_CHILD({
    void (*own)(int) = [](int) {};
    signal(SIGPIPE, own);
    systemInitSockets();
    EXPECT_EQ(signal(SIGPIPE, SIG_DFL), own);
  });
}

TEST(SocketUtilDeathTest, InitLowersALimitTheLoopCannotServe) {
  rlimit rl;
  getrlimit(RLIMIT_NOFILE, &rl);
  rl.rlim_max = std::max<rlim_t>(rl.rlim_max, 100000);
  if (setrlimit(RLIMIT_NOFILE, &rl) != 0) GTEST_SKIP() << "no right to raise the hard limit";
  IN_CHILD({
    setSoftLimit(100000);
    systemInitSockets();
    EXPECT_EQ(softLimit(), 65536u);
  });
}

#if !defined(__SANITIZE_ADDRESS__)  // the sanitizers need a descriptor of their own
TEST(FdUtilDeathTest, DupWithoutAFreeDescriptorSaysSo) {
  IN_CHILD({
    int lowestFree = dup(0);
    close(lowestFree);
    setSoftLimit(rlim_t(lowestFree));
    EXPECT_EQ(failureOf([] { fdDup(0); }), "fcntl(F_DUPFD_CLOEXEC): Too many open files (24)");
  });
}
#endif
