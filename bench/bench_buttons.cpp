// Building a column of 50 text buttons through the dialog model (each a
// button element with its own style, added to a box layout that lays out
// again at every child) and taking it down, beside building and taking down
// 50 bare label buttons in a plain container: the difference is what the
// element, its back-end object and the layout passes add per button.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "lib2/mui/MuFactories.h"
#include "lib2/mui/wvw/MuLayoutWvw.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WLabelButton.h"
#include "lib2/wvw/WLayout.h"
#include "tests/support/WvwBackEnd.h"

namespace {

constexpr int kButtons = 50;

void BM_ButtonElementsInALayout(benchmark::State& state) {
  gwtest::WvwBackEnd backEnd;
  for (auto _ : state) {
    mui::MuLayoutWvw column(nullptr, "column", mui::MuLayout::Vertical);
    column.setSize({200, 2000});
    for (int i = 0; i < kButtons; i++)
      mui::muButton(&column, "b", "&Refresh", mui::MuButton::Text, 0, {});
    benchmark::DoNotOptimize(column.lookup(-1));
  }
  state.SetItemsProcessed(state.iterations() * kButtons);
}
BENCHMARK(BM_ButtonElementsInALayout);

// The peer: the same widgets placed by hand, one row each.
void BM_BareLabelButtons(benchmark::State& state) {
  for (auto _ : state) {
    wvw::WLayout column(true);
    std::vector<wvw::WChild<std::unique_ptr<wvw::WLabelButton>>> buttons;
    buttons.reserve(kButtons);
    for (int i = 0; i < kButtons; i++) {
      buttons.emplace_back(std::make_unique<wvw::WLabelButton>("&Refresh", true));
      column.add(buttons.back().get(), plat::Rect(0, i * 30, 200, i * 30 + 24), nullptr);
    }
    benchmark::DoNotOptimize(buttons.back().get());
  }
  state.SetItemsProcessed(state.iterations() * kButtons);
}
BENCHMARK(BM_BareLabelButtons);

}  // namespace
