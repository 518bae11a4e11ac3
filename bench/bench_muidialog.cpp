// Dialogs of the dialog model on a private server, each figure beside one
// XSync round trip, the least that any of them can cost:
// - a dialog of 50 elements built, laid out, shown and waited for until the
//   server has it, once of layouts and frames alone (frames holding rows of
//   layouts, as dialogs nest them) and once with statics, edits and buttons
//   in the rows; the dialog is destroyed outside the timing;
// - a click: an XTEST press and release on a button of a shown dialog, until
//   the button's observer hears the click, waiting on the connection as the
//   event loop does.
#include <X11/extensions/XTest.h>
#include <benchmark/benchmark.h>
#include <poll.h>

#include <memory>

#include "lib1/os/AppInfo.h"
#include "lib1/plat/TimerManager.h"
#include "lib2/mui/MuFactories.h"
#include "lib2/mui/wvw/MuCommonWvw.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXEvents.h"
#include "lib2/tx/TXUtil.h"
#include "lib2/tx/TXWindow.h"
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

// One cell of a row: a layout, or in turn a static, an edit and a button.
void addCell(mui::MuLayout* row, int c, bool controls) {
  if (!controls) {
    mui::muLayout(row, "cell", mui::MuLayout::Vertical);
  } else if (c % 3 == 0) {
    mui::muStatic(row, "label", "Name:", mui::MuStatic::LeftText);
  } else if (c % 3 == 1) {
    mui::muEdit(row, "edit", "", mui::MuEdit::Text);
  } else {
    mui::muButton(row, "button", "&Apply", mui::MuButton::Text, 0, {});
  }
}

// One column of frames, each with a row of cells: 1 + 7 x (1 + 1 + 5) = 50.
int build(mui::MuDialog* dialog, bool controls) {
  int elements = 0;
  mui::MuLayout* column = mui::muLayout(dialog, "column", mui::MuLayout::Vertical);
  elements++;
  for (int f = 0; f < kFrames; f++) {
    mui::MuFrame* frame = mui::muFrame(column, "frame", "Frame", mui::MuFrame::Titled);
    mui::MuLayout* row = mui::muLayout(frame, "row", mui::MuLayout::Horizontal);
    elements += 2;
    for (int c = 0; c < kCellsPerRow; c++, elements++) addCell(row, f * kCellsPerRow + c, controls);
  }
  return elements;
}

void buildAndShow(benchmark::State& state, bool controls) {
  setUp();
  int elements = 0;
  for (auto _ : state) {
    std::unique_ptr<mui::MuDialog> dialog(
        mui::muDialog("bench", "Bench", {400, 300}, mui::MuDialog::FitHeight, nullptr, nullptr));
    elements = build(dialog.get(), controls);
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

void BM_BuildAndShowDialog(benchmark::State& state) { buildAndShow(state, false); }
BENCHMARK(BM_BuildAndShowDialog)->Unit(benchmark::kMicrosecond);

void BM_BuildAndShowControlsDialog(benchmark::State& state) { buildAndShow(state, true); }
BENCHMARK(BM_BuildAndShowControlsDialog)->Unit(benchmark::kMicrosecond);

// Handles events as they arrive until done(); false after a second of
// silence.
template <typename Done>
bool pumpUntil(Done done) {
  while (!done()) {
    pollfd fd{ConnectionNumber(tx::dpy), POLLIN, 0};
    if (XPending(tx::dpy) == 0 && poll(&fd, 1, 1000) <= 0) return false;
    tx::handleXEvents();
  }
  return true;
}

struct Clicks : mui::MuObserver {
  void elementEvent(mui::MuElement*, int code) override { heard += code == mui::MuEventClicked; }
  int heard = 0;
};

void BM_ClickToHandler(benchmark::State& state) {
  setUp();
  std::unique_ptr<mui::MuDialog> dialog(
      mui::muDialog("bench", "Bench", {200, 100}, 0, nullptr, nullptr));
  mui::MuLayout* row = mui::muLayout(dialog.get(), "row", mui::MuLayout::Horizontal);
  mui::MuButton* ok = mui::muButton(row, "ok", "OK", mui::MuButton::Text, 0, {});
  Clicks clicks;
  ok->registerObserver(&clicks, true);
  dialog->show(true);
  XSync(tx::dpy, False);
  tx::handleXEvents();
  wvw::Widget* button = mui::getWidget(ok);
  plat::Point at;
  button->getRoot(&at);
  XTestFakeMotionEvent(tx::dpy, -1, at.x + button->getSize().x / 2, at.y + button->getSize().y / 2,
                       0);
  for (auto _ : state) {
    int before = clicks.heard;
    XTestFakeButtonEvent(tx::dpy, 1, True, 0);
    XTestFakeButtonEvent(tx::dpy, 1, False, 0);
    XFlush(tx::dpy);
    if (!pumpUntil([&] { return clicks.heard > before; })) {
      state.SkipWithError("the click never reached the observer");
      break;
    }
  }
  ok->registerObserver(&clicks, false);
}
BENCHMARK(BM_ClickToHandler)->Unit(benchmark::kMicrosecond);

void BM_XSyncPeer(benchmark::State& state) {
  setUp();
  for (auto _ : state) XSync(tx::dpy, False);
}
BENCHMARK(BM_XSyncPeer)->Unit(benchmark::kMicrosecond);

}  // namespace
