// Dispatching queued X events: tx::handleXEvents over 100,000 events for one
// TXWindow with a handler (and with 10 all-event handlers besides), beside a
// bare XPending/XNextEvent loop over the same events. The events are queued
// outside the timed part; the counter is the time per event.
#include <benchmark/benchmark.h>

#include <vector>

#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXEvents.h"
#include "lib2/tx/TXUtil.h"
#include "lib2/tx/TXWindow.h"
#include "tests/support/XServer.h"

namespace {

constexpr int kEvents = 100000;

struct Counter : TXEventHandler {
  void handleEvent(TXWindow*, XEvent*) override { count++; }
  long count = 0;
};

TXWindow* window() {
  static TXWindow* w = [] {
    gwtest::XServer::shared();
    tx::openDisplay(nullptr);
    return new TXWindow(10, 10, nullptr, 0, false);
  }();
  return w;
}

// Puts kEvents client messages for w into the server's queue and makes
// sure they are all on their way to us.
void queueEvents(Window w) {
  XEvent ev{};
  ev.xclient.type = ClientMessage;
  ev.xclient.window = w;
  ev.xclient.format = 32;
  for (int i = 0; i < kEvents; i++) XSendEvent(tx::dpy, w, False, 0, &ev);
  XSync(tx::dpy, False);
}

void perEvent(benchmark::State& state) {
  // Seconds per event, shown with its SI prefix (n).
  state.counters["per_event"] = benchmark::Counter(
      kEvents, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_HandleXEvents(benchmark::State& state) {
  TXWindow* w = window();
  Counter own;
  w->setEventHandler(&own);
  std::vector<Counter> all(state.range(0));
  for (Counter& c : all) tx::registerAllEventHandler(&c, true);
  for (auto _ : state) {
    state.PauseTiming();
    queueEvents(w->win());
    state.ResumeTiming();
    tx::handleXEvents();
  }
  for (Counter& c : all) tx::registerAllEventHandler(&c, false);
  w->setEventHandler(nullptr);
  if (own.count != long(kEvents) * state.iterations()) state.SkipWithError("events lost");
  perEvent(state);
}
BENCHMARK(BM_HandleXEvents)->Arg(0)->Arg(10)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BareXNextEvent(benchmark::State& state) {
  TXWindow* w = window();
  long count = 0;
  for (auto _ : state) {
    state.PauseTiming();
    queueEvents(w->win());
    state.ResumeTiming();
    while (XPending(tx::dpy)) {
      XEvent ev;
      XNextEvent(tx::dpy, &ev);
      count++;
    }
  }
  benchmark::DoNotOptimize(count);
  perEvent(state);
}
BENCHMARK(BM_BareXNextEvent)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
