// Bytes per second between two descriptor channels over a socket pair, one
// writing from its ioWritable and the other reading from its ioReadable, all
// on one select loop. Peer: a raw loop of blocking write() and read() of the
// same chunks over the same kind of socket pair.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <vector>

#include "lib1/io/FdIo.h"
#include "lib1/io/FdSelectManager.h"
#include "lib1/os/unix/SocketUtil.h"

namespace {

constexpr int kChunk = 65536;
constexpr long long kTotal = 8LL << 20;

struct Writer : io::IoHandler {
  void ioReadable(io::Io*) override {}
  void ioWritable(io::Io* io) override {
    while (sent < kTotal && io->out->nonBlockingBytes() >= kChunk) {
      io->out->writeBytes(chunk.data(), kChunk);
      sent += kChunk;
    }
    io->out->flush();
  }
  std::vector<unsigned char> chunk = std::vector<unsigned char>(kChunk, 'x');
  long long sent = 0;
};

struct Reader : io::IoHandler {
  void ioReadable(io::Io* io) override {
    rdr::FdInStream* in = io->in.get();
    while (in->ptr < in->end || in->overrunOrRewind(false, 1)) {
      received += in->end - in->ptr;
      in->ptr = in->end;
      in->checkpoint();
    }
  }
  long long received = 0;
};

void BM_FdIoChannels(benchmark::State& state) {
  io::FdSelectManager mgr(false);
  for (auto _ : state) {
    int fds[2];
    os::socketPair(fds);
    auto* a = new io::FdIo(fds[0], true, false, -1, -1, true);
    auto* b = new io::FdIo(fds[1], true, false, -1, -1, true);
    Writer w;
    Reader r;
    a->setHandler(&w, false);
    b->setHandler(&r, true);
    while (r.received < kTotal) mgr.doEvents(1000);
    a->shutdown(false, false);
    b->shutdown(false, false);
    mgr.doEvents(0);
  }
  state.SetBytesProcessed(state.iterations() * kTotal);
}
BENCHMARK(BM_FdIoChannels)->Unit(benchmark::kMillisecond);

void BM_RawBlockingLoop(benchmark::State& state) {
  std::vector<unsigned char> chunk(kChunk, 'x'), buf(kChunk);
  for (auto _ : state) {
    int fds[2];
    os::socketPair(fds);
    for (long long done = 0; done < kTotal; done += kChunk) {
      for (int off = 0; off < kChunk;) off += int(write(fds[0], chunk.data() + off, kChunk - off));
      for (int got = 0; got < kChunk;) got += int(read(fds[1], buf.data() + got, kChunk - got));
    }
    close(fds[0]);
    close(fds[1]);
  }
  state.SetBytesProcessed(state.iterations() * kTotal);
}
BENCHMARK(BM_RawBlockingLoop)->Unit(benchmark::kMillisecond);

}  // namespace
