#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <string>

#include "lib1/os/FdUtil.h"
#include "lib1/os/SocketUtil.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/Log.h"

using namespace os;

namespace {

template <typename F>
std::string failureOf(F f) {
  try {
    f();
  } catch (const plat::SystemException& e) {
    return e.str();
  }
  return "(none)";
}

rlim_t soft(rlim_t set = 0) {
  rlimit rl;
  getrlimit(RLIMIT_NOFILE, &rl);
  if (set) rl.rlim_cur = set, setrlimit(RLIMIT_NOFILE, &rl);
  getrlimit(RLIMIT_NOFILE, &rl);
  return rl.rlim_cur;
}

volatile sig_atomic_t ownHandlerRan = 0;

// The process set-up happens once per process: each scenario runs in a
// freshly started child.
#define IN_CHILD(body)                            \
  GTEST_FLAG_SET(death_test_style, "threadsafe"); \
  EXPECT_EXIT({ body _exit(::testing::Test::HasFailure()); }, ::testing::ExitedWithCode(0), "")

}  // namespace

TEST(FdUtil, SetBlockingSwitchesNonBlockingAloneAndKeepsAppend) {
  char path[] = "/tmp/gw_fdutil_XXXXXX";
  int fd = mkostemp(path, O_CLOEXEC | O_APPEND);
  ASSERT_GE(fd, 0);
  unlink(path);
  fdSetBlocking(fd, false);
  EXPECT_EQ(fcntl(fd, F_GETFL) & (O_NONBLOCK | O_APPEND), O_NONBLOCK | O_APPEND);
  fdSetBlocking(fd, true);
  EXPECT_EQ(fcntl(fd, F_GETFL) & (O_NONBLOCK | O_APPEND), O_APPEND);
  ASSERT_EQ(write(fd, "ab", 2), 2);  // still appending after a seek
  ASSERT_EQ(lseek(fd, 0, SEEK_SET), 0);
  ASSERT_EQ(write(fd, "c", 1), 1);
  char buf[4] = {};
  EXPECT_EQ(pread(fd, buf, 3, 0), 3);
  EXPECT_STREQ(buf, "abc");
  close(fd);
  EXPECT_EQ(failureOf([] { fdSetBlocking(-1, true); }), "setBlocking: Bad file descriptor (9)");
}

TEST(FdUtil, EverythingCreatedIsCloseOnExec) {
  int p[2], sp[2];
  pipeCreate(p);
  socketPair(sp);
  fdSetInheritable(p[0], true, false);
  EXPECT_TRUE(fdGetInheritable(p[0]));
  int d = fdDup(p[0]);
  int onto = fdDup(sp[0]);
  fdSetInheritable(onto, true, false);
  fdDup2(p[0], onto);  // replaces an open descriptor
  for (int fd : {p[1], sp[0], sp[1], d, onto}) EXPECT_FALSE(fdGetInheritable(fd)) << fd;
  ASSERT_EQ(write(p[1], "z", 1), 1);
  char c = 0;
  EXPECT_EQ(read(onto, &c, 1), 1);  // now the pipe's read end
  // Onto itself: EINVAL, and the descriptor stays open.
  errno = 0;
  EXPECT_FALSE(fdDup2NoThrow(p[0], p[0]));
  EXPECT_EQ(errno, EINVAL);
  EXPECT_NE(fcntl(p[0], F_GETFD), -1);
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
  ASSERT_GE(lst, 0);
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
  ASSERT_GE(s, 0);
  EXPECT_FALSE(fdGetInheritable(s) || fdGetInheritable(lst));
  EXPECT_EQ(failureOf([] { socketAccept(-1); }), "accept: Bad file descriptor (9)");
  errno = 0;
  EXPECT_LT(socketCreate(-7, SOCK_STREAM, 0), 0);
  EXPECT_EQ(errno, EAFNOSUPPORT);

  struct : plat::Logger {
    using Logger::Logger;
    void write(int, const char*, const char* text) override { lines += text; }
    std::string lines;
  } cap{"capture"};
  plat::LogWriter::getLogWriter("SocketUtil")->setLoggerAndLevel(&cap, 100);
  int before = 0, after = 0;
  len = sizeof before;
  getsockopt(s, SOL_SOCKET, SO_RCVBUF, &before, &len);
  socketSetRcvBuf(s, 1024);  // smaller: only reported
  getsockopt(s, SOL_SOCKET, SO_RCVBUF, &after, &len);
  EXPECT_EQ(after, before);
  EXPECT_EQ(cap.lines, "Using receive buffer size of " + std::to_string(before / 1024) + " KiB");
  socketSetRcvBuf(s, before * 2);
  getsockopt(s, SOL_SOCKET, SO_RCVBUF, &after, &len);
  EXPECT_GE(after, before);
  plat::LogWriter::getLogWriter("SocketUtil")->setLoggerAndLevel(nullptr, 0);
  EXPECT_EQ(failureOf([] { socketSetRcvBuf(-1, 1); }),
            "getsockopt(SO_RCVBUF): Bad file descriptor (9)");
  close(s), close(cli), close(lst);
}

TEST(SocketUtilDeathTest, InitIgnoresSigpipeUnlessTheApplicationHandlesIt) {
  IN_CHILD({
    int p[2];
    pipeCreate(p);
    close(p[0]);
    systemInitSockets();
    errno = 0;
    EXPECT_EQ(write(p[1], "x", 1), -1);  // the process survives
    EXPECT_EQ(errno, EPIPE);
    systemUninitSockets(false);  // a launched child gets the default back
    systemInitSockets();         // done once: changes nothing now
    struct sigaction sa;
    sigaction(SIGPIPE, nullptr, &sa);
    EXPECT_EQ(sa.sa_handler, SIG_DFL);
  });
  IN_CHILD({
    signal(SIGPIPE, [](int) { ownHandlerRan = 1; });
    systemInitSockets();
    int p[2];
    pipeCreate(p);
    close(p[0]);
    EXPECT_EQ(write(p[1], "x", 1), -1);
    EXPECT_EQ(ownHandlerRan, 1);
  });
}

TEST(SocketUtilDeathTest, InitLowersOnlyLimitsTheLoopCannotServe) {
  IN_CHILD({
    soft(1024);
    systemInitSockets();
    EXPECT_EQ(soft(), 1024u);
    soft(500);
    systemUninitSockets(true);  // the saved limit comes back in a child
    EXPECT_EQ(soft(), 1024u);
  });
#if !defined(__SANITIZE_ADDRESS__)  // the sanitizers need a descriptor of their own
  IN_CHILD({
    int lowestFree = dup(0);
    close(lowestFree);
    soft(rlim_t(lowestFree));
    EXPECT_EQ(failureOf([] { fdDup(0); }), "fcntl(F_DUPFD_CLOEXEC): Too many open files (24)");
  });
#endif
}

TEST(SocketUtilDeathTest, InitLowersAHighLimitToWhatTheLoopCanServe) {
  rlimit rl;
  getrlimit(RLIMIT_NOFILE, &rl);
  rl.rlim_max = std::max<rlim_t>(rl.rlim_max, 100000);
  if (setrlimit(RLIMIT_NOFILE, &rl) != 0) GTEST_SKIP() << "hard descriptor limit below 100000";
  IN_CHILD({
    soft(100000);
    systemInitSockets();
    EXPECT_EQ(soft(), 65536u);
  });
}
