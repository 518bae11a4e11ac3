#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "lib1/os/FdUtil.h"
#include "lib1/os/SocketUtil.h"
#include "tests/support/CaptureLogger.h"
#include "tests/support/Failure.h"

using namespace os;

using namespace gwtest;

namespace {

rlim_t soft(rlim_t set = 0) {
  rlimit rl;
  getrlimit(RLIMIT_NOFILE, &rl);
  if (set) rl.rlim_cur = set, setrlimit(RLIMIT_NOFILE, &rl);
  getrlimit(RLIMIT_NOFILE, &rl);
  return rl.rlim_cur;
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
  EXPECT_EQ(failureOf([] { fdSetBlocking(-1, true); }), "setBlocking: Bad file descriptor (9)");
}

TEST(FdUtil, EverythingCreatedIsCloseOnExec) {
  int p[2], sp[2];
  pipeCreate(p);
  socketPair(sp);
  int d = fdDup(p[0]);
  int onto = fdDup(sp[0]);
  fdSetInheritable(onto, true, false);
  EXPECT_TRUE(fdGetInheritable(onto));
  fdDup2(p[0], onto);  // replaces an open descriptor
  for (int fd : {p[0], p[1], sp[0], sp[1], d, onto}) EXPECT_FALSE(fdGetInheritable(fd)) << fd;
  char c;
  EXPECT_TRUE(write(p[1], "z", 1) == 1 && read(onto, &c, 1) == 1);  // now the pipe's read end
  errno = 0;
  EXPECT_FALSE(fdDup2NoThrow(p[0], p[0]));  // onto itself: refused, left open
  EXPECT_EQ(errno, EINVAL);
  for (int fd : {p[0], p[1], sp[0], sp[1], d, onto}) EXPECT_EQ(fdClose(fd), 0);
  errno = 0;
  EXPECT_FALSE(fdSetInheritableNoThrow(d, true, true));
  EXPECT_EQ(errno, EBADF);
  EXPECT_EQ(failureOf([] { fdGetInheritable(-1); }), "getInheritable: Bad file descriptor (9)");
  EXPECT_EQ(failureOf([] { fdDup2(-1, 50); }), "dup2: Bad file descriptor (9)");
  EXPECT_EQ(failureOf([] { fdDup(-1); }), "fcntl(F_DUPFD_CLOEXEC): Bad file descriptor (9)");
}

TEST(SocketUtil, AcceptCreateAndReceiveBuffer) {
  int lst = socketCreate(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr = {};
  addr.sun_family = AF_UNIX;  // abstract: nothing left in the file system
  int n = snprintf(addr.sun_path + 1, sizeof addr.sun_path - 1, "gw-%d", int(getpid()));
  socklen_t len = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + n);
  ASSERT_EQ(bind(lst, reinterpret_cast<sockaddr*>(&addr), len), 0);
  ASSERT_EQ(listen(lst, 1), 0);
  fdSetBlocking(lst, false);
  EXPECT_EQ(socketAccept(lst), -1);  // nothing pending
  int cli = socketCreate(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_EQ(connect(cli, reinterpret_cast<sockaddr*>(&addr), len), 0);
  int s = socketAccept(lst);
  EXPECT_FALSE(fdGetInheritable(s) || fdGetInheritable(lst));
  EXPECT_EQ(failureOf([] { socketAccept(-1); }), "accept: Bad file descriptor (9)");
  errno = 0;
  EXPECT_LT(socketCreate(-7, SOCK_STREAM, 0), 0);
  EXPECT_EQ(errno, EAFNOSUPPORT);
  CaptureLogger cap;
  RouteWriter route(plat::LogWriter::getLogWriter("SocketUtil"), &cap, 100);
  int before = 0, after = 0;
  len = sizeof before;
  getsockopt(s, SOL_SOCKET, SO_RCVBUF, &before, &len);
  socketSetRcvBuf(s, 1024);  // smaller: only reported
  getsockopt(s, SOL_SOCKET, SO_RCVBUF, &after, &len);
  EXPECT_EQ(after, before);
  EXPECT_TRUE(cap.has("Using receive buffer size of " + std::to_string(before / 1024) + " KiB"));
  EXPECT_EQ(failureOf([] { socketSetRcvBuf(-1, 1); }),
            "getsockopt(SO_RCVBUF): Bad file descriptor (9)");
  close(s), close(cli), close(lst);
}

TEST(SocketUtilDeathTest, InitIgnoresSigpipeAndLowersOnlyLimitsTheLoopCannotServe) {
  IN_CHILD({
    int p[2];
    pipeCreate(p);
    close(p[0]);
    soft(1024);
    systemInitSockets();
    EXPECT_EQ(soft(), 1024u);
    errno = 0;
    EXPECT_EQ(write(p[1], "x", 1), -1);  // the process survives
    EXPECT_EQ(errno, EPIPE);
    soft(500);
    systemUninitSockets(true);  // as in a launched child
    EXPECT_EQ(soft(), 1024u);
    systemInitSockets();  // done once: changes nothing now
    EXPECT_EQ(signal(SIGPIPE, SIG_DFL), SIG_DFL);
  });
  IN_CHILD({
    void (*own)(int) = [](int) {};  // the application's own handler stays
    signal(SIGPIPE, own);
    systemInitSockets();
    EXPECT_EQ(signal(SIGPIPE, SIG_DFL), own);
  });
  rlimit rl;
  getrlimit(RLIMIT_NOFILE, &rl);
  rl.rlim_max = std::max<rlim_t>(rl.rlim_max, 100000);
  if (setrlimit(RLIMIT_NOFILE, &rl) == 0) {  // needs the right to raise it
    IN_CHILD({
      soft(100000);
      systemInitSockets();
      EXPECT_EQ(soft(), 65536u);
    });
  }
#if !defined(__SANITIZE_ADDRESS__)  // the sanitizers need a descriptor of their own
  IN_CHILD({
    int lowestFree = dup(0);
    close(lowestFree);
    soft(rlim_t(lowestFree));
    EXPECT_EQ(failureOf([] { fdDup(0); }), "fcntl(F_DUPFD_CLOEXEC): Too many open files (24)");
  });
#endif
}
