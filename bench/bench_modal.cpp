// The modal loop at rest and on its way out. Wake-ups per second of an idle
// showCodeModal (the aim is none), counted from the kernel's voluntary
// context switches of the waiting thread over a quiet window, beside a bare
// poll() on an idle pipe, the least any wait can do. And the time from a
// dismiss inside the loop until showCodeModal has returned, beside one
// XSync round trip, which the hiding of the window costs at least.
#include <benchmark/benchmark.h>
#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include "lib1/os/AppInfo.h"
#include "lib1/plat/Timer.h"
#include "lib1/plat/TimerManager.h"
#include "lib2/tx/TXDialog.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXUtil.h"
#include "tests/support/XServer.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kQuietWindow = std::chrono::milliseconds(200);
constexpr auto kSettle = std::chrono::milliseconds(50);

void setUp() {
  static bool done = [] {
    gwtest::XServer::shared();
    tx::openDisplay(nullptr);
    os::setAppInfo("grantwell", "Zem", "zem", loc::msgid_t(), nullptr);
    new plat::TimerManager(true);  // the outer loop's, for the whole run
    return true;
  }();
  (void)done;
}

long field(pid_t tid, const std::string& name) {
  std::ifstream status("/proc/self/task/" + std::to_string(tid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(name + ":", 0) == 0) return std::stol(line.substr(name.size() + 1));
  return -1;
}

bool sleeping(pid_t tid) {
  std::ifstream stat("/proc/self/task/" + std::to_string(tid) + "/stat");
  std::string line;
  std::getline(stat, line);
  return line.find(") S ") != std::string::npos;
}

// Runs wait() on this thread while another counts its wake-ups over the
// quiet window and then calls end() to let it return.
template <typename Wait, typename End>
void countWakeUps(benchmark::State& state, Wait wait, End end) {
  pid_t tid = pid_t(syscall(SYS_gettid));
  long wakeUps = 0;
  double seconds = 0;
  for (auto _ : state) {
    std::thread watcher([&] {
      // Past the events of the window's mapping, the wait is at rest.
      while (!sleeping(tid)) std::this_thread::yield();
      std::this_thread::sleep_for(kSettle);
      while (!sleeping(tid)) std::this_thread::yield();
      long before = field(tid, "voluntary_ctxt_switches");
      auto start = Clock::now();
      std::this_thread::sleep_for(kQuietWindow);
      wakeUps += field(tid, "voluntary_ctxt_switches") - before;
      seconds += std::chrono::duration<double>(Clock::now() - start).count();
      end();
    });
    wait();
    watcher.join();
  }
  state.counters["wakeups_per_s"] = seconds > 0 ? wakeUps / seconds : 0;
}

void BM_IdleModalLoop(benchmark::State& state) {
  setUp();
  tx::TXDialog dialog(nullptr, "idle", false);
  Window win = dialog.win();
  countWakeUps(
      state, [&] { dialog.showCodeModal(); },
      [win] {
        // The window manager's close, from another client.
        Display* other = XOpenDisplay(nullptr);
        XEvent ev{};
        ev.xclient.type = ClientMessage;
        ev.xclient.window = win;
        ev.xclient.message_type = XInternAtom(other, "WM_PROTOCOLS", False);
        ev.xclient.format = 32;
        ev.xclient.data.l[0] = long(XInternAtom(other, "WM_DELETE_WINDOW", False));
        XSendEvent(other, win, False, 0, &ev);
        XCloseDisplay(other);
      });
}
BENCHMARK(BM_IdleModalLoop)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_IdlePollPeer(benchmark::State& state) {
  int fds[2];
  if (pipe(fds) != 0) state.SkipWithError("pipe");
  countWakeUps(
      state,
      [&] {
        pollfd p{fds[0], POLLIN, 0};
        poll(&p, 1, -1);
        char c;
        if (read(fds[0], &c, 1) != 1) state.SkipWithError("read");
      },
      [&] {
        if (write(fds[1], "x", 1) != 1) state.SkipWithError("write");
      });
  close(fds[0]);
  close(fds[1]);
}
BENCHMARK(BM_IdlePollPeer)->Iterations(3)->Unit(benchmark::kMillisecond);

// Dismisses the dialog from the loop's first timer pass and notes when.
struct Dismisser : plat::Timer::Callback {
  explicit Dismisser(tx::TXDialog* d) : dialog(d) {}
  bool handleTimeout(plat::Timer*) override {
    dismissedAt = Clock::now();
    dialog->dismiss(true);
    return false;
  }
  tx::TXDialog* dialog;
  Clock::time_point dismissedAt;
};

class TimedDialog : public tx::TXDialog {
 public:
  TimedDialog() : tx::TXDialog(nullptr, "timed", false) {}
  Dismisser dismisser{this};
  plat::Timer timer{&dismisser};

 private:
  void initDialog() override { timer.start(0); }  // on the loop's own manager
};

void BM_DismissToReturn(benchmark::State& state) {
  setUp();
  TimedDialog dialog;
  for (auto _ : state) {
    dialog.showCodeModal();
    auto returned = Clock::now();
    state.SetIterationTime(
        std::chrono::duration<double>(returned - dialog.dismisser.dismissedAt).count());
  }
}
BENCHMARK(BM_DismissToReturn)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_XSyncPeer(benchmark::State& state) {
  setUp();
  for (auto _ : state) XSync(tx::dpy, False);
}
BENCHMARK(BM_XSyncPeer)->Unit(benchmark::kMicrosecond);

}  // namespace
