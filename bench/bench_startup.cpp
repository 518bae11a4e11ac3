// Start to first painted window: from the exec of the tool to the first
// moment its window shows its finished picture, and the resident memory of
// the process then (VmRSS), beside an FLTK hello-world window and xmessage of the
// same size, started in turn in the same run.
//
// Seen from a second X client (tools/winshot's watch): DAMAGE on the root
// window reports every drawing operation; after each burst of drawing in the
// window the watch reads the window's pixels (through MIT-SHM, which holds
// the server up least) and compares them with the
// settled picture that a warm-up start of the same program left after a
// quiet spell. The first burst after which they are equal is the first
// complete paint, and its time is when the watch read that burst, so a
// program that paints again later (or blank first) is not credited with the
// later paint. Starts are warm: each program ran once before timing.
//
// On a private Xvfb without a window manager: a manager's work between the
// map request and the map (framing, placing, decorating) would be the same
// for the three and is no part of any of them, and it answers at its own
// pace, which would only add noise to a figure of a few milliseconds.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/XServer.h"
#include "tools/winshot/ChildProcess.h"
#include "tools/winshot/PaintWatch.h"

namespace {

using winshot::ChildProcess;
using winshot::PaintWatch;
using winshot::Picture;
using Clock = PaintWatch::Clock;

constexpr auto kTimeout = std::chrono::seconds(10);
// Nothing drawn for this long: the warm-up start's picture is settled.
constexpr auto kSettle = std::chrono::milliseconds(500);

struct Program {
  const char* label;
  std::vector<std::string> argv;
  // Its window's WM_CLASS class.
  const char* window;
  // The peers' own ways of ending are theirs: only the tool's is checked.
  bool endsWithZero;
};

const Program kPrograms[] = {
    {"grantwell",
     {GW_STARTUP_TOOL, "Permissions=alice:v,bob:chkprst!q,%staff:d,%users:f,*:v"},
     "korvath-grantwell",
     true},
    {"fltk", {GW_STARTUP_FLTK}, "fltk-hello", false},
    {"xmessage", {"xmessage", "-geometry", "415x625", "Hello, World!"}, "Xmessage", false},
};
constexpr int kCount = int(std::size(kPrograms));

struct Start {
  double ms;
  double rssMb;
};

double residentMb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024;
  throw std::runtime_error("no VmRSS for process " + std::to_string(pid));
}

class Starter {
 public:
  Starter(PaintWatch& watch, const Program& program) : watch_(watch), program_(program) {
    ChildProcess child(program_.argv);
    mapped(child, Clock::now() + kTimeout);
    settled_ = watch_.waitSettled(kSettle, Clock::now() + kTimeout, child.endedFd());
    if (settled_.empty()) fail(child, "never settled on a painted picture");
    close(child);
  }

  Start once() {
    auto start = Clock::now();
    auto deadline = start + kTimeout;
    ChildProcess child(program_.argv);
    mapped(child, deadline);
    Clock::time_point painted;
    for (;;) {
      if (!watch_.waitPaint(deadline, &painted, child.endedFd()))
        fail(child, "never showed its settled picture");
      if (watch_.paintPending()) continue;  // take a burst whole
      Picture shown = watch_.picture();
      // Drawn while being read: complete by now at the latest.
      if (watch_.paintPending()) painted = Clock::now();
      if (shown == settled_) break;
    }
    Start s{std::chrono::duration<double, std::milli>(painted - start).count(),
            residentMb(child.pid())};
    close(child);
    return s;
  }

 private:
  void mapped(ChildProcess& child, Clock::time_point deadline) {
    if (!watch_.waitMapped(program_.window, deadline, child.endedFd()))
      fail(child, "showed no window");
  }

  void close(ChildProcess& child) {
    watch_.close();
    auto deadline = Clock::now() + kTimeout;
    // Gone from the server, so that its last drawing is no one else's.
    if (!watch_.waitGone(deadline)) fail(child, "kept its window after being closed");
    auto status = child.wait(deadline);
    if (!status) fail(child, "did not end after being closed");
    if (program_.endsWithZero && *status != 0)
      throw std::runtime_error(std::string(program_.label) + " ended with " +
                               ChildProcess::describe(*status) + " after being closed");
  }

  [[noreturn]] void fail(ChildProcess& child, const std::string& what) {
    std::string why = std::string(program_.label) + " " + what;
    if (auto status = child.wait(Clock::now()))
      why += " (it ended with " + ChildProcess::describe(*status) + ")";
    throw std::runtime_error(why);
  }

  PaintWatch& watch_;
  const Program& program_;
  Picture settled_;
};

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

// Each iteration starts the three in turn, beginning with a different one
// each time, so that no program always follows the same other.
void BM_StartToPaint(benchmark::State& state) {
  gwtest::XServer::shared();
  std::vector<double> ms[kCount], rss[kCount];
  try {
    PaintWatch watch(nullptr);
    std::vector<Starter> starters;
    for (const Program& p : kPrograms) starters.emplace_back(watch, p);
    int round = 0;
    for (auto _ : state) {
      for (int k = 0; k < kCount; k++) {
        int i = (round + k) % kCount;
        Start s = starters[size_t(i)].once();
        ms[i].push_back(s.ms);
        rss[i].push_back(s.rssMb);
      }
      round++;
      state.SetIterationTime(ms[0].back() / 1000);
    }
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  for (int i = 0; i < kCount; i++) {
    std::string name = kPrograms[i].label;
    state.counters[name + "_ms"] = median(ms[i]);
    state.counters[name + "_rss_MB"] = median(rss[i]);
  }
  state.counters["grantwell_per_fltk"] = median(ms[0]) / median(ms[1]);
  state.SetLabel("time: grantwell's mean; counters: medians");
}
BENCHMARK(BM_StartToPaint)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace
