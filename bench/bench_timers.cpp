// Timer queue costs: start+stop of one timer and an idle pass, with 10, 100
// and 1000 other timers pending. Peer: a binary-heap queue
// (std::priority_queue with lazy removal) over the same clock.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <queue>
#include <vector>

#include "lib1/plat/Time.h"
#include "lib1/plat/TimerManager.h"

namespace {

struct Idle : plat::Timer::Callback {
  bool handleTimeout(plat::Timer*) override { return false; }
};

// The peer. A stopped timer leaves a stale entry, recognised by its
// generation; stale entries are dropped at the top and compacted away once
// they outnumber the live ones.
class HeapQueue {
 public:
  struct Timer {
    uint64_t gen = 0;
    bool pending = false;
  };

  void start(Timer* t, int ms) {
    stop(t);
    t->pending = true;
    q.push({plat::getMonotonicTime(-1, nullptr) + ms * plat::kUnitsPerMs, seq++, t, ++t->gen});
  }
  void stop(Timer* t) {
    if (!t->pending) return;
    t->pending = false;
    t->gen++;
    stale++;
    dropStale();
  }
  int nextTimeout() {
    if (q.empty()) return -1;
    long long d = q.top().expiry + plat::kUnitsPerMs - 1 - plat::getMonotonicTime(-1, nullptr);
    return d < 0 ? 0 : int(std::min<long long>(d / plat::kUnitsPerMs, 0x7fffffff));
  }

 private:
  struct Entry {
    long long expiry;
    uint64_t seq;
    Timer* timer;
    uint64_t gen;
    bool live() const { return gen == timer->gen; }
  };
  struct Later {
    bool operator()(const Entry& a, const Entry& b) const {
      return a.expiry > b.expiry || (a.expiry == b.expiry && a.seq > b.seq);
    }
  };
  struct Heap : std::priority_queue<Entry, std::vector<Entry>, Later> {
    using priority_queue::c;
  };

  void dropStale() {
    while (!q.empty() && !q.top().live()) {
      q.pop();
      stale--;
    }
    if (stale > q.size() / 2) {
      std::erase_if(q.c, [](const Entry& e) { return !e.live(); });
      std::make_heap(q.c.begin(), q.c.end(), Later());
      stale = 0;
    }
  }

  Heap q;
  size_t stale = 0;
  uint64_t seq = 0;
};

// The others are due between 10 s and 20 s; the measured timer goes in
// front of them (1 ms) or behind them (1 h).
int measuredMs(const benchmark::State& state) { return state.range(1) ? 3600000 : 1; }

// n timers pending on the current manager, due between 10 s and 20 s.
std::vector<std::unique_ptr<plat::Timer>> pendingTimers(plat::Timer::Callback* cb, int n) {
  std::vector<std::unique_ptr<plat::Timer>> timers;
  for (int i = 0; i < n; i++) {
    timers.push_back(std::make_unique<plat::Timer>(cb));
    timers.back()->start(10000 + i * 10);
  }
  return timers;
}

void BM_TimerStartStop(benchmark::State& state) {
  plat::TimerManager tm(false);
  Idle cb;
  auto others = pendingTimers(&cb, int(state.range(0)));
  plat::Timer t(&cb);
  int ms = measuredMs(state);
  for (auto _ : state) {
    t.start(ms);
    t.stop();
  }
}

void BM_HeapStartStop(benchmark::State& state) {
  HeapQueue q;
  std::vector<HeapQueue::Timer> others(size_t(state.range(0)));
  for (size_t i = 0; i < others.size(); i++) q.start(&others[i], 10000 + int(i) * 10);
  HeapQueue::Timer t;
  int ms = measuredMs(state);
  for (auto _ : state) {
    q.start(&t, ms);
    q.stop(&t);
  }
}

void BM_TimerIdlePass(benchmark::State& state) {
  plat::TimerManager tm(false);
  Idle cb;
  auto others = pendingTimers(&cb, int(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(tm.checkTimeouts());
}

void BM_HeapIdlePass(benchmark::State& state) {
  HeapQueue q;
  std::vector<HeapQueue::Timer> others(size_t(state.range(0)));
  for (size_t i = 0; i < others.size(); i++) q.start(&others[i], 10000 + int(i) * 10);
  for (auto _ : state) benchmark::DoNotOptimize(q.nextTimeout());
}

void pendingArgs(benchmark::internal::Benchmark* b) {
  b->ArgNames({"pending", "behind"});
  for (int behind : {0, 1})
    for (int n : {10, 100, 1000}) b->Args({n, behind});
}

}  // namespace

BENCHMARK(BM_TimerStartStop)->Apply(pendingArgs);
BENCHMARK(BM_HeapStartStop)->Apply(pendingArgs);
BENCHMARK(BM_TimerIdlePass)->Arg(10)->Arg(100)->Arg(1000);
BENCHMARK(BM_HeapIdlePass)->Arg(10)->Arg(100)->Arg(1000);
