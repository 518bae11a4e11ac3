// What laying out a long menu costs: 500 items wrapped into columns under a
// 600-pixel height limit (several passes), beside its peer, the same menu
// stacked in one column without a limit (a single pass).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "lib2/wvw/WMenu.h"
#include "lib2/wvw/WMenuItem.h"

namespace {

struct BigMenu {
  BigMenu() {
    for (int i = 0; i < 500; i++) {
      std::string text = "Item number " + std::to_string(i);
      items.push_back(std::make_unique<wvw::WMenuItem>(&menu, text.c_str(), false));
    }
  }
  ~BigMenu() {
    for (auto& i : items) menu.remItem(i.get());
  }
  wvw::WMenu menu;
  std::vector<std::unique_ptr<wvw::WMenuItem>> items;
};

void LayoutWrappedIntoColumns(benchmark::State& state) {
  BigMenu m;
  m.menu.setMaxHeight(600);
  for (auto _ : state) {
    m.menu.layout();
    benchmark::DoNotOptimize(m.menu.getSize());
  }
}
BENCHMARK(LayoutWrappedIntoColumns);

void LayoutOneColumnPeer(benchmark::State& state) {
  BigMenu m;
  for (auto _ : state) {
    m.menu.layout();
    benchmark::DoNotOptimize(m.menu.getSize());
  }
}
BENCHMARK(LayoutOneColumnPeer);

}  // namespace
