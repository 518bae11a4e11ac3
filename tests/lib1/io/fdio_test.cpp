#include "lib1/io/FdIo.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "lib1/io/FdSelectManager.h"
#include "lib1/os/unix/SocketUtil.h"
#include "lib1/plat/Configuration.h"
#include "lib1/plat/Log.h"
#include "tests/support/CaptureLogger.h"

namespace {

bool isOpen(int fd) { return fcntl(fd, F_GETFD) >= 0; }

unsigned char pattern(long long i) { return (unsigned char)(i * 31 % 251); }

// Counts shutdowns and runs the hooks it is given.
struct Handler : io::IoHandler {
  void ioReadable(io::Io* io) override { onRead(io); }
  void ioWritable(io::Io* io) override { onWrite(io); }
  void ioShutdown(io::Io*) override { shutdowns++; }
  int shutdowns = 0;
  std::function<void(io::Io*)> onRead = [](io::Io*) {}, onWrite = onRead;
};

struct FdIoTest : testing::Test {
  FdIoTest() { os::socketPair(fds); }
  ~FdIoTest() override { plat::Configuration::global()->set("LazyFlushTimeout", "300", 0); }
  // A channel that owns and closes end i of the pair.
  io::FdIo* channel(int i) { return new io::FdIo(fds[i], true, false, -1, -1, true); }
  // Turns the loop until cond holds; false after many turns.
  bool runUntil(const std::function<bool()>& cond) {
    for (int i = 0; i < 100000 && !cond(); i++) mgr.doEvents(100);
    return cond();
  }
  io::FdSelectManager mgr{false};
  int fds[2];
  gwtest::CaptureLogger log;
  gwtest::RouteWriter route{plat::LogWriter::getLogWriter("FdIo"), &log, 100};
};

}  // namespace

TEST_F(FdIoTest, TenMebibytesCrossWithBackgroundFlushingAndAFlushingShutdown) {
  const long long total = 10 << 20;
  long long sent = 0, received = 0, wrong = 0;
  Handler writer, reader;
  writer.onWrite = [&](io::Io* io) {
    unsigned char chunk[65536];
    while (sent < total && io->out->nonBlockingBytes() >= int(sizeof chunk)) {
      for (unsigned i = 0; i < sizeof chunk; i++) chunk[i] = pattern(sent + i);
      io->out->writeBytes(chunk, sizeof chunk);
      sent += sizeof chunk;
    }
    io->out->flush();
    if (sent == total) io->shutdown(true, true);
  };
  reader.onRead = [&](io::Io* io) {
    while (io->in->ptr < io->in->end || io->in->overrunOrRewind(false, 1)) {
      for (; io->in->ptr < io->in->end; io->in->ptr++) wrong += *io->in->ptr != pattern(received++);
      io->in->checkpoint();  // all consumed: the buffer may be refilled from its start
    }
  };
  channel(0)->setHandler(&writer, false);
  channel(1)->setHandler(&reader, true);
  ASSERT_TRUE(runUntil([&] { return reader.shutdowns + writer.shutdowns == 2; }));
  EXPECT_EQ(received, total);
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(writer.shutdowns, 1);
  EXPECT_TRUE(log.has("Read error: End of stream"));
  EXPECT_FALSE(isOpen(fds[0]) || isOpen(fds[1]));
}

TEST_F(FdIoTest, ShutdownFromInsideAReadIsCompletedInALaterDispatch) {
  io::FdIo* a = channel(0);
  Handler h;
  int reads = 0;
  h.onRead = [&](io::Io* io) {
    reads++;
    io->shutdown(false, true);
    io->markReadable();  // ignored once shutting down
    EXPECT_EQ(h.shutdowns, 0);
  };
  a->setHandler(&h, true);
  ASSERT_EQ(write(fds[1], "x", 1), 1);
  ASSERT_TRUE(runUntil([&] { return h.shutdowns > 0; }));
  mgr.doEvents(0);
  EXPECT_EQ(reads, 1);
  EXPECT_EQ(h.shutdowns, 1);
  EXPECT_FALSE(isOpen(fds[0]));
  close(fds[1]);
}

TEST_F(FdIoTest, FlushingShutdownTowardASilentPeerEndsAtTheFlushLimit) {
  plat::Configuration::global()->set("LazyFlushTimeout", "1", 0);
  io::FdIo* a = channel(0);
  Handler h;
  a->setHandler(&h, true);
  std::string block(65536, 'z');
  while (a->out->nonBlockingBytes() >= int(block.size())) {
    a->out->writeBytes(block.data(), int(block.size()));
    a->out->flush();
  }
  a->shutdown(true, false);
  // Without the limit, nothing would ever end this channel.
  ASSERT_TRUE(runUntil([&] { return !isOpen(fds[0]); }));
  EXPECT_TRUE(log.has("Write error: Timed out"));
  EXPECT_EQ(h.shutdowns, 0);
  close(fds[1]);
}

TEST_F(FdIoTest, FlushLimitIsCutToWhatATimerCanRun) {
  const std::pair<const char*, int> rows[] = {
      {"0", 1000}, {"-5", 1000}, {"2147483", 2147483000}, {"2147484", 2147483000}};
  for (const auto& [seconds, ms] : rows) {
    ASSERT_TRUE(plat::Configuration::global()->set("LazyFlushTimeout", seconds, 0));
    EXPECT_EQ(io::lazyFlushTimeoutMs(), ms) << seconds;
  }
}

TEST_F(FdIoTest, DeletingAChannelWhoseShutdownIsPendingLeavesNothingBehind) {
  io::FdIo* a = channel(0);
  Handler h;
  a->setHandler(&h, true);
  a->shutdown(true, false);
  delete a;
  mgr.doEvents(0);  // would call the dead channel
  EXPECT_EQ(h.shutdowns, 0);
  close(fds[1]);
}
