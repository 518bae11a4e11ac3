#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <string>

#include "lib1/plat/Time.h"
#include "lib1/rdr/Exceptions.h"
#include "lib1/rdr/FdInStream.h"
#include "lib1/rdr/FdOutStream.h"
#include "lib1/rdr/FdWait.h"

using namespace rdr;

namespace {

struct Pipe {
  Pipe() { EXPECT_EQ(pipe2(fds, O_CLOEXEC | O_NONBLOCK), 0); }
  ~Pipe() {
    closeRead();
    closeWrite();
  }
  void closeRead() {
    if (fds[0] >= 0) close(fds[0]);
    fds[0] = -1;
  }
  void closeWrite() {
    if (fds[1] >= 0) close(fds[1]);
    fds[1] = -1;
  }
  int fds[2];
};

struct Recorder : FdOutStream::Callback {
  void fdWritten(FdOutStream*, bool blocked) override { (blocked ? blockedWrites : writes)++; }
  void fdShutdown(FdOutStream*) override { shutdowns++; }
  int writes = 0, blockedWrites = 0, shutdowns = 0;
};

long long elapsedMs(long long since) {
  return (plat::getMonotonicTime(-1, nullptr) - since) / 10000;
}

}  // namespace

TEST(FdInStream, SilentPipeTimesOutAndClosedPipeEnds) {
  Pipe p;
  FdInStream in(p.fds[0], 100);
  long long started = plat::getMonotonicTime(-1, nullptr);
  EXPECT_THROW(in.readU8(), plat::TimedOut);
  EXPECT_GE(elapsedMs(started), 90);

  ASSERT_EQ(write(p.fds[1], "ab", 2), 2);
  p.closeWrite();
  FdInStream forever(p.fds[0], -1);
  EXPECT_EQ(forever.readU16(), 0x6162u);
  EXPECT_THROW(forever.readU8(), EndOfStream);
}

TEST(FdInStream, TimeLimitRunsOutUnderASignalStorm) {
  Pipe p;
  FdInStream in(p.fds[0], 50);
  struct sigaction sa = {}, old;
  sa.sa_handler = [](int) {};
  sigaction(SIGALRM, &sa, &old);
  // Every wait ends before a whole millisecond has passed.
  itimerval every = {{0, 200}, {0, 200}}, off = {};
  long long started = plat::getMonotonicTime(-1, nullptr);
  setitimer(ITIMER_REAL, &every, nullptr);
  EXPECT_THROW(in.readU8(), plat::TimedOut);
  setitimer(ITIMER_REAL, &off, nullptr);
  sigaction(SIGALRM, &old, nullptr);
  EXPECT_GE(elapsedMs(started), 49);
}

TEST(FdInStream, NonBlockingReaderGoesBackToItsCheckpoint) {
  Pipe p;
  FdInStream in(p.fds[0], -1, -1, false, true);
  ASSERT_EQ(write(p.fds[1], "\x00\x00", 2), 2);
  in.checkpoint();
  EXPECT_THROW(in.readU32(), BlockException);
  EXPECT_EQ(in.pos(), 0);
  ASSERT_EQ(write(p.fds[1], "\x01\x02", 2), 2);
  EXPECT_EQ(in.readU32(), 0x0102u);
}

TEST(FdInStream, TimedOutFlagStillLetsBufferedBytesThrough) {
  Pipe p;
  ASSERT_EQ(write(p.fds[1], "xyz", 3), 3);
  FdInStream in(p.fds[0]);
  EXPECT_EQ(in.readU8(), unsigned('x'));
  in.timedOut = true;
  EXPECT_EQ(in.readU8(), unsigned('y'));
  EXPECT_EQ(in.readU8(), unsigned('z'));
  ASSERT_EQ(write(p.fds[1], "w", 1), 1);
  EXPECT_THROW(in.readU8(), plat::TimedOut);
}

TEST(FdInStream, ErrorsNameTheCall) {
  int fd = open("/dev/null", O_WRONLY | O_CLOEXEC);
  FdInStream in(fd, -1, -1, true);
  try {
    in.readU8();
    FAIL();
  } catch (plat::SystemException& e) {
    EXPECT_EQ(e.err, EBADF);
    EXPECT_EQ(strncmp(e.str(), "read: ", 6), 0) << e.str();
  }
  try {
    waitForFd(70000, false, 10);
    FAIL();
  } catch (plat::SystemException& e) {
    EXPECT_EQ(e.err, EMFILE);
    EXPECT_EQ(strncmp(e.str(), "select: ", 8), 0) << e.str();
  }
}

TEST(FdOutStream, FullPipeWithoutWaitingWritesNothing) {
  Pipe p;
  Recorder rec;
  FdOutStream out(p.fds[1], 50, 16384);
  out.callback = &rec;
  std::string chunk(16384, 'f');
  int filled = 0;
  for (;;) {
    out.writeBytes(chunk.data(), int(chunk.size()));
    if (!out.flush(false)) break;
    filled += int(chunk.size());
    ASSERT_LT(filled, 1 << 24);
  }
  EXPECT_GT(rec.blockedWrites, 0);
  EXPECT_GT(out.unflushedBytes(), 0);
  // A waiting flush on a pipe that nobody drains runs into its limit.
  EXPECT_THROW(out.flush(true), plat::TimedOut);
  out.callback = nullptr;
}

TEST(FdOutStream, ShutdownHalfClosesOnlyWhenDrained) {
  int sv[2];
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sv), 0);
  Recorder rec;
  {
    FdOutStream out(sv[0], -1, -1, true);
    out.callback = &rec;
    out.writeBytes("bye", 3);
    EXPECT_TRUE(out.shutdown());  // bytes pending: no half-close yet
    EXPECT_EQ(rec.shutdowns, 1);
    out.flush();
    EXPECT_TRUE(out.shutdown());
    EXPECT_EQ(rec.shutdowns, 2);
  }
  FdInStream in(sv[1], 1000, -1, true);
  char buf[8];
  EXPECT_EQ(in.readLine(buf, sizeof(buf)), 3);
  EXPECT_THROW(in.readU8(), EndOfStream);

  Pipe p;
  FdOutStream pipeOut(p.fds[1]);
  try {
    pipeOut.shutdown();
    FAIL();
  } catch (plat::SystemException& e) {
    EXPECT_EQ(e.err, ENOTSOCK);
    EXPECT_EQ(strncmp(e.str(), "shutdown(SHUT_WR)", 17), 0);
  }
}

TEST(FdOutStream, DestructorFlushesWithoutWaitingAndErrorsCanBeQuiet) {
  Pipe p;
  {
    FdOutStream out(p.fds[1]);
    out.writeBytes("last words", 10);
  }
  char buf[16] = {};
  EXPECT_EQ(read(p.fds[0], buf, sizeof(buf)), 10);

  p.closeRead();  // writing now fails with EPIPE
  signal(SIGPIPE, SIG_IGN);
  FdOutStream quiet(p.fds[1]);
  quiet.throwOnError = false;
  quiet.writeBytes("x", 1);
  EXPECT_FALSE(quiet.flush(false));
  EXPECT_THROW(quiet.flush(true), plat::SystemException);
}
