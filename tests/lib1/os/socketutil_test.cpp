#include "lib1/os/SocketUtil.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>
#include <vector>

#include "lib1/os/FdUtil.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/Log.h"

using namespace os;

namespace {

class LogCapture : public plat::Logger {
 public:
  LogCapture() : Logger("capture") {}
  void write(int, const char*, const char* text) override { lines.push_back(text); }
  std::vector<std::string> lines;
};

rlim_t softLimit() {
  rlimit rl;
  getrlimit(RLIMIT_NOFILE, &rl);
  return rl.rlim_cur;
}

bool setSoftLimit(rlim_t n) {
  rlimit rl;
  getrlimit(RLIMIT_NOFILE, &rl);
  rl.rlim_cur = n;
  return setrlimit(RLIMIT_NOFILE, &rl) == 0;
}

volatile sig_atomic_t ownHandlerRan = 0;
void ownHandler(int) { ownHandlerRan = 1; }

// Each start-up scenario runs in a freshly started child: the set-up
// happens once per process, and a forked child would inherit it.
#define IN_CHILD(body)                                                  \
  do {                                                                  \
    GTEST_FLAG_SET(death_test_style, "threadsafe");                     \
    EXPECT_EXIT({ body _exit(::testing::Test::HasFailure() ? 1 : 0); }, \
                ::testing::ExitedWithCode(0), "");                      \
  } while (0)

}  // namespace

TEST(SocketUtil, SocketsArePairedAcceptedAndCreatedCloseOnExec) {
  int sp[2];
  socketPair(sp);
  EXPECT_FALSE(fdGetInheritable(sp[0]));
  EXPECT_FALSE(fdGetInheritable(sp[1]));
  ASSERT_EQ(write(sp[0], "q", 1), 1);
  char c = 0;
  ASSERT_EQ(read(sp[1], &c, 1), 1);
  EXPECT_EQ(c, 'q');
  close(sp[0]), close(sp[1]);

  int lst = socketCreate(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(lst, 0);
  EXPECT_FALSE(fdGetInheritable(lst));
  sockaddr_un addr = {};
  addr.sun_family = AF_UNIX;
  // An abstract address: nothing to clean up in the file system.
  snprintf(addr.sun_path + 1, sizeof addr.sun_path - 1, "gw-sockutil-%d", int(getpid()));
  socklen_t len = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + strlen(addr.sun_path + 1));
  ASSERT_EQ(bind(lst, reinterpret_cast<sockaddr*>(&addr), len), 0);
  ASSERT_EQ(listen(lst, 1), 0);
  fdSetBlocking(lst, false);
  EXPECT_EQ(socketAccept(lst), -1);  // nothing pending
  int cli = socketCreate(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_EQ(connect(cli, reinterpret_cast<sockaddr*>(&addr), len), 0);
  int s = socketAccept(lst);
  ASSERT_GE(s, 0);
  EXPECT_FALSE(fdGetInheritable(s));
  close(s), close(cli), close(lst);

  try {
    socketAccept(-1);
    ADD_FAILURE() << "no exception";
  } catch (const plat::SystemException& e) {
    EXPECT_STREQ(e.str(), "accept: Bad file descriptor (9)");
  }
  errno = 0;
  EXPECT_LT(socketCreate(-7, SOCK_STREAM, 0), 0);
  EXPECT_EQ(errno, EAFNOSUPPORT);
}

TEST(SocketUtil, ReceiveBufferGrowsButNeverShrinks) {
  LogCapture cap;
  plat::LogWriter* w = plat::LogWriter::getLogWriter("SocketUtil");
  ASSERT_NE(w, nullptr);
  w->setLoggerAndLevel(&cap, 100);
  int sp[2];
  socketPair(sp);
  int before = 0;
  socklen_t len = sizeof before;
  ASSERT_EQ(getsockopt(sp[0], SOL_SOCKET, SO_RCVBUF, &before, &len), 0);
  socketSetRcvBuf(sp[0], 1024);  // smaller: only reported
  int now = 0;
  ASSERT_EQ(getsockopt(sp[0], SOL_SOCKET, SO_RCVBUF, &now, &len), 0);
  EXPECT_EQ(now, before);
  ASSERT_EQ(cap.lines.size(), 1u);
  EXPECT_EQ(cap.lines[0], "Using receive buffer size of " + std::to_string(before / 1024) + " KiB");
  socketSetRcvBuf(sp[0], before * 2);
  ASSERT_EQ(getsockopt(sp[0], SOL_SOCKET, SO_RCVBUF, &now, &len), 0);
  EXPECT_GE(now, before);
  close(sp[0]), close(sp[1]);
  w->setLoggerAndLevel(nullptr, 0);
  try {
    socketSetRcvBuf(-1, 4096);
    ADD_FAILURE() << "no exception";
  } catch (const plat::SystemException& e) {
    EXPECT_STREQ(e.str(), "getsockopt(SO_RCVBUF): Bad file descriptor (9)");
  }
}

TEST(SocketUtilDeathTest, InitIgnoresSigpipeOnce) {
  IN_CHILD({
    systemInitSockets();
    int p[2];
    pipeCreate(p);
    close(p[0]);
    errno = 0;
    EXPECT_EQ(write(p[1], "x", 1), -1);  // the process survives
    EXPECT_EQ(errno, EPIPE);
    // The child side of launching restores the default.
    systemUninitSockets(false);
    struct sigaction sa;
    sigaction(SIGPIPE, nullptr, &sa);
    EXPECT_EQ(sa.sa_handler, SIG_DFL);
    // Done once: a second call changes nothing.
    systemInitSockets();
    sigaction(SIGPIPE, nullptr, &sa);
    EXPECT_EQ(sa.sa_handler, SIG_DFL);
  });
}

TEST(SocketUtilDeathTest, InitKeepsTheApplicationsOwnSigpipeHandler) {
  IN_CHILD({
    signal(SIGPIPE, ownHandler);
    systemInitSockets();
    int p[2];
    pipeCreate(p);
    close(p[0]);
    EXPECT_EQ(write(p[1], "x", 1), -1);
    EXPECT_EQ(ownHandlerRan, 1);
  });
}

TEST(SocketUtilDeathTest, InitKeepsALimitTheLoopCanServe) {
  IN_CHILD({
    ASSERT_TRUE(setSoftLimit(1024));
    systemInitSockets();
    EXPECT_EQ(softLimit(), 1024u);
    // Restoring in a child brings back the saved soft limit.
    ASSERT_TRUE(setSoftLimit(500));
    systemUninitSockets(true);
    EXPECT_EQ(softLimit(), 1024u);
    ASSERT_TRUE(setSoftLimit(600));
    systemUninitSockets(false);
    EXPECT_EQ(softLimit(), 600u);
  });
}

TEST(SocketUtilDeathTest, InitLowersAHighLimitToWhatTheLoopCanServe) {
  rlimit rl;
  getrlimit(RLIMIT_NOFILE, &rl);
  if (rl.rlim_max < 100000) {
    rl.rlim_max = 100000;
    if (setrlimit(RLIMIT_NOFILE, &rl) != 0) GTEST_SKIP() << "hard descriptor limit below 100000";
  }
  IN_CHILD({
    ASSERT_TRUE(setSoftLimit(100000));
    systemInitSockets();
    EXPECT_EQ(softLimit(), 65536u);
    systemInitSockets();
    EXPECT_EQ(softLimit(), 65536u);
  });
}
