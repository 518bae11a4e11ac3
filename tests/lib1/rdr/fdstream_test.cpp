#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <utility>

#include "lib1/plat/Time.h"
#include "lib1/rdr/Exceptions.h"
#include "lib1/rdr/FdInStream.h"
#include "lib1/rdr/FdOutStream.h"
#include "lib1/rdr/FdWait.h"
#include "tests/support/Failure.h"
#include "tests/support/SignalStorm.h"

using namespace rdr;
using gwtest::failureOf;

namespace {

struct Pipe {
  Pipe() { EXPECT_EQ(pipe2(fds, O_CLOEXEC | O_NONBLOCK), 0); }
  ~Pipe() {
    for (int fd : fds) close(fd);
  }
  int fds[2];
};

}  // namespace

TEST(FdInStream, SilentPipeTimesOutEvenUnderASignalStorm) {
  Pipe p;
  FdInStream in(p.fds[0], 100);
  long long started = plat::getMonotonicTime(-1, nullptr);
  gwtest::SignalStorm storm(200);  // every wait ends before a millisecond has passed
  EXPECT_EQ(failureOf([&] { in.readU8(); }), "Timed out");
  long long waited = plat::getMonotonicTime(-1, nullptr) - started;
  EXPECT_GE(waited, 99 * plat::kUnitsPerMs);
  EXPECT_LT(waited, 5000 * plat::kUnitsPerMs);  // far beyond any scheduling delay
}

TEST(FdInStream, NonBlockingReaderGoesBackToItsCheckpointAndTimedOutKeepsTheBuffer) {
  Pipe p;
  FdInStream in(p.fds[0], -1, -1, false, true);
  ASSERT_EQ(write(p.fds[1], "\x00\x00", 2), 2);
  in.checkpoint();
  EXPECT_THROW(in.readU32(), BlockException);
  EXPECT_EQ(in.pos(), 0);
  ASSERT_EQ(write(p.fds[1], "\x01\x02yz", 4), 4);
  EXPECT_EQ(in.readU32(), 0x0102u);
  in.timedOut = true;  // the bytes already buffered are still read
  EXPECT_EQ(in.readU16(), 0x797au);
  ASSERT_EQ(write(p.fds[1], "w", 1), 1);
  EXPECT_THROW(in.readU8(), plat::TimedOut);
}

TEST(FdStreams, ErrorsNameTheCall) {
  FdInStream in(open("/dev/null", O_WRONLY | O_CLOEXEC), -1, -1, true);
  EXPECT_EQ(failureOf([&] { in.readU8(); }), "read: Bad file descriptor (9)");
  EXPECT_EQ(failureOf([] { waitForFd(70000, false, 10); }), "select: Too many open files (24)");
  Pipe p;
  FdOutStream out(p.fds[1]);
  EXPECT_EQ(failureOf([&] { out.shutdown(); }),
            "shutdown(SHUT_WR): Socket operation on non-socket (88)");
}

TEST(FdOutStream, ShutdownHalfClosesOnlyWhenDrained) {
  int sv[2];
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sv), 0);
  FdOutStream out(sv[0], -1, -1, true);
  FdInStream in(sv[1], 1000, -1, true);
  out.writeBytes("bye", 3);
  EXPECT_TRUE(out.shutdown());  // bytes pending: no half-close yet
  out.flush();
  EXPECT_TRUE(out.shutdown());
  in.skip(3);
  EXPECT_EQ(failureOf([&] { in.readU8(); }), "End of stream");
}

TEST(FdOutStream, QuietStreamFailsOnlyWhenWaiting) {
  Pipe p;
  close(std::exchange(p.fds[0], -1));  // writing now fails with EPIPE
  signal(SIGPIPE, SIG_IGN);
  FdOutStream quiet(p.fds[1]);
  quiet.throwOnError = false;
  quiet.writeBytes("x", 1);
  EXPECT_FALSE(quiet.flush(false));
  EXPECT_EQ(failureOf([&] { quiet.flush(true); }), "write: Broken pipe (32)");
}
