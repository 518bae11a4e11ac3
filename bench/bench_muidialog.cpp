// A dialog of the dialog model built from 50 elements (frames holding rows
// of layouts, as dialogs nest them), laid out, shown and waited for until
// the server has it, beside one XSync round trip, the least that showing a
// window can cost. The dialog is destroyed outside the timing.
#include <benchmark/benchmark.h>

#include <memory>

#include "lib1/os/AppInfo.h"
#include "lib1/plat/TimerManager.h"
#include "lib2/mui/MuFactories.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXEvents.h"
#include "lib2/tx/TXUtil.h"
#include "tests/support/WvwBackEnd.h"
#include "tests/support/XServer.h"

namespace {

constexpr int kFrames = 7;
constexpr int kCellsPerRow = 5;

void setUp() {
  static bool done = [] {
    gwtest::XServer::shared();
    tx::openDisplay(nullptr);
    os::setAppInfo("grantwell", "Zem", "zem", loc::msgid_t(), nullptr);
    new plat::TimerManager(true);  // the outer loop's, for the whole run
    new gwtest::WvwBackEnd;        // lives to the end, as the singleton does
    return true;
  }();
  (void)done;
}

// One column of frames, each with a row of cells: 1 + 7 x (1 + 1 + 5) = 50.
int build(mui::MuDialog* dialog) {
  int elements = 0;
  mui::MuLayout* column = mui::muLayout(dialog, "column", mui::MuLayout::Vertical);
  elements++;
  for (int f = 0; f < kFrames; f++) {
    mui::MuFrame* frame = mui::muFrame(column, "frame", "Frame", mui::MuFrame::Titled);
    mui::MuLayout* row = mui::muLayout(frame, "row", mui::MuLayout::Horizontal);
    elements += 2;
    for (int c = 0; c < kCellsPerRow; c++, elements++)
      mui::muLayout(row, "cell", mui::MuLayout::Vertical);
  }
  return elements;
}

void BM_BuildAndShowDialog(benchmark::State& state) {
  setUp();
  int elements = 0;
  for (auto _ : state) {
    std::unique_ptr<mui::MuDialog> dialog(
        mui::muDialog("bench", "Bench", {400, 300}, mui::MuDialog::FitHeight, nullptr, nullptr));
    elements = build(dialog.get());
    dialog->show(true);
    XSync(tx::dpy, False);
    state.PauseTiming();
    dialog.reset();
    XSync(tx::dpy, False);
    tx::handleXEvents();
    state.ResumeTiming();
  }
  state.counters["elements"] = elements;
}
BENCHMARK(BM_BuildAndShowDialog)->Unit(benchmark::kMicrosecond);

void BM_XSyncPeer(benchmark::State& state) {
  setUp();
  for (auto _ : state) XSync(tx::dpy, False);
}
BENCHMARK(BM_XSyncPeer)->Unit(benchmark::kMicrosecond);

}  // namespace
