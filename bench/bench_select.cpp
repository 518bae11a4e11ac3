// One idle turn of the select loop with 1, 64 and 1024 registered handlers,
// and the wake-up latency of a zero-delay timer. Peer: a bare poll() loop
// over the same descriptors, woken by a byte on a pipe.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <unistd.h>

#include <vector>

#include "lib1/io/FdSelectManager.h"

namespace {

struct Quiet : io::FdHandler {
  void fdReadable() override {}
};

// n pipes whose read ends never become readable.
struct Pipes {
  explicit Pipes(int n) {
    rlimit rl;
    getrlimit(RLIMIT_NOFILE, &rl);
    if (rl.rlim_cur < rlim_t(2 * n + 64)) {
      rl.rlim_cur = std::min<rlim_t>(rl.rlim_max, rlim_t(2 * n + 64));
      setrlimit(RLIMIT_NOFILE, &rl);
    }
    for (int i = 0; i < n; i++) {
      int p[2];
      if (pipe2(p, O_CLOEXEC) != 0) break;
      readEnds.push_back(p[0]);
      writeEnds.push_back(p[1]);
    }
  }
  ~Pipes() {
    for (int fd : readEnds) close(fd);
    for (int fd : writeEnds) close(fd);
  }
  std::vector<int> readEnds, writeEnds;
};

void BM_SelectLoopIdleTurn(benchmark::State& state) {
  Pipes pipes(int(state.range(0)));
  io::FdSelectManager m(false);
  std::vector<Quiet> handlers(pipes.readEnds.size());
  for (size_t i = 0; i < handlers.size(); i++) {
    handlers[i].fd = pipes.readEnds[i];
    m.registerHandler(&handlers[i], true);
    m.selectHandler(&handlers[i], true, false, false, false, false);
  }
  for (auto _ : state) benchmark::DoNotOptimize(m.doEvents(0));
  for (Quiet& h : handlers) m.registerHandler(&h, false);
}

void BM_PollIdleTurn(benchmark::State& state) {
  Pipes pipes(int(state.range(0)));
  std::vector<pollfd> fds;
  for (int fd : pipes.readEnds) fds.push_back({fd, POLLIN, 0});
  for (auto _ : state) benchmark::DoNotOptimize(poll(fds.data(), fds.size(), 0));
}

void BM_SelectLoopWakeUp(benchmark::State& state) {
  Pipes pipes(1);
  io::FdSelectManager m(false);
  Quiet h;
  h.fd = pipes.readEnds[0];
  m.registerHandler(&h, true);
  m.selectHandler(&h, true, false, false, false, false);
  for (auto _ : state) {
    m.wakeUpTimer.start(0);
    m.doEvents(-1);
  }
  m.registerHandler(&h, false);
}

void BM_PollWakeUp(benchmark::State& state) {
  Pipes pipes(1), wake(1);
  pollfd fds[2] = {{pipes.readEnds[0], POLLIN, 0}, {wake.readEnds[0], POLLIN, 0}};
  char c = 0;
  for (auto _ : state) {
    if (write(wake.writeEnds[0], &c, 1) != 1) state.SkipWithError("write");
    poll(fds, 2, -1);
    if (read(wake.readEnds[0], &c, 1) != 1) state.SkipWithError("read");
  }
}

}  // namespace

BENCHMARK(BM_SelectLoopIdleTurn)->Arg(1)->Arg(64)->Arg(1024);
BENCHMARK(BM_PollIdleTurn)->Arg(1)->Arg(64)->Arg(1024);
BENCHMARK(BM_SelectLoopWakeUp);
BENCHMARK(BM_PollWakeUp);
