// The box layout over a tree of 500 leaves (10 rows of 10 columns of 5),
// beside the same arithmetic done once over a flat array of the leaves'
// minimum sizes: the difference is the cost of walking the tree and of
// asking nested layouts for their minimums again at every level.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "tests/support/FakeMui.h"

namespace {

constexpr int kRows = 10, kColumns = 10, kLeaves = 5;

struct Tree {
  gwtest::FakeMui backEnd;
  std::unique_ptr<mui::MuDialog> dialog{
      mui::muDialog("d", nullptr, {2000, 3000}, 0, nullptr, nullptr)};
  mui::MuLayout* root = mui::muLayout(dialog.get(), "root", mui::MuLayout::Vertical);
  std::vector<mui::MuElement*> leaves;

  Tree() {
    for (int r = 0; r < kRows; r++) {
      auto* row = mui::muLayout(root, "row", mui::MuLayout::Horizontal);
      if (r % 2) root->resizeChild(row, mui::MuLayout::Weighted, 1);
      for (int c = 0; c < kColumns; c++) {
        auto* column = mui::muLayout(row, "col", mui::MuLayout::Vertical);
        row->resizeChild(column, mui::MuLayout::Weighted, 1 + c % 3);
        for (int l = 0; l < kLeaves; l++) {
          leaves.push_back(gwtest::fakeLeaf(column, "leaf", 20 + l, 10 + c));
        }
      }
    }
  }
  long queries() const {
    long n = 0;
    for (auto* e : leaves) n += gwtest::fake(e).minQueries;
    return n;
  }
};

void BM_LayoutTree(benchmark::State& state) {
  Tree t;
  long before = t.queries();
  for (auto _ : state) {
    t.root->setSize({1900, 2900});
    benchmark::DoNotOptimize(t.root->getMinHeight(1900));
  }
  state.counters["leaf queries per pass"] =
      double(t.queries() - before) / double(state.iterations());
}
BENCHMARK(BM_LayoutTree);

// The peer: every leaf's minimum read once, summed per column, the widest
// column per row, and rows summed, with the spacing.
void BM_FlatArithmetic(benchmark::State& state) {
  std::vector<int> heights;
  for (int r = 0; r < kRows; r++) {
    for (int c = 0; c < kColumns; c++) {
      for (int l = 0; l < kLeaves; l++) heights.push_back(10 + c);
    }
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(heights.data());
    int total = 0;
    size_t i = 0;
    for (int r = 0; r < kRows; r++) {
      int rowHeight = 0;
      for (int c = 0; c < kColumns; c++) {
        int h = 0;
        for (int l = 0; l < kLeaves; l++, i++) h += heights[i] + 8;
        rowHeight = std::max(rowHeight, h);
      }
      total += rowHeight + 8;
    }
    benchmark::DoNotOptimize(total);
  }
}
BENCHMARK(BM_FlatArithmetic);

}  // namespace
