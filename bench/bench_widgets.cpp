// What the widget tree costs on top of the pixels it draws: a full repaint of
// 200 widgets three containers deep into a 1024x768 window, a full repaint of
// a dialog-sized tree, repaint requests travelling up three levels, and
// pointer moves routed down three levels. The peers are the bare work under
// each: one fill of the same area, one region union at the window, and the
// leaf's own pointer handling called directly.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "lib2/fb/Draw.h"
#include "lib2/fb/ManagedPixelBuffer.h"
#include "lib2/wvw/WBgLayout.h"
#include "lib2/wvw/WCanvas.h"
#include "lib2/wvw/WFrame.h"

namespace {

// A leaf that paints itself and a bevel, as a plain button would.
class Leaf : public wvw::Widget {
 public:
  Leaf() : wvw::Widget(nullptr) {}
  void render(fb::WritablePixelBuffer* pb) override {
    fb::fillRect(pb, plat::Rect(plat::Point(), size_), toPixel(BevelBg, pb));
    drawBevel(pb, plat::Rect(plat::Point(), size_), true, false);
  }
  plat::Point getMinSize() const override { return plat::Point(10, 10); }
};

// The window: gathers repaint requests into one region, as the real one does.
class Host : public wvw::WParent {
 public:
  void invalidateChild(wvw::Widget*, const fb::Region& region) override {
    dirty.assign_union(dirty, region);
  }
  void bell() override {}
  void requestChildFocus(wvw::Widget*) override {}
  bool childHasFocus(const wvw::Widget*) const override { return false; }
  bool focusNext() override { return false; }
  bool focusPrev() override { return false; }
  bool isKeyPressed(unsigned int) const override { return false; }
  const char* getCutText() const override { return ""; }
  void setCutText(const char*) override {}
  fb::Region dirty;
};

// canvas > cols frames > rows backgrounds > per leaves, laid out in a grid
// over size; the leaves are left for the caller to reach.
struct Tree {
  Tree(plat::Point size, int cols, int rows, int per) {
    root.setSize(size);
    int fw = size.x / cols, bh = size.y / rows;
    for (int c = 0; c < cols; c++) {
      frames.push_back(std::make_unique<wvw::WFrame>(true));
      root.add(frames.back().get(), plat::Rect(c * fw, 0, (c + 1) * fw, size.y), nullptr);
      for (int r = 0; r < rows; r++) {
        bgs.push_back(std::make_unique<wvw::WBgLayout>(false));
        bgs.back()->fillBackground = true;
        frames.back()->add(bgs.back().get(), plat::Rect(2, r * bh + 2, fw - 2, (r + 1) * bh - 2),
                           nullptr);
        int lw = (fw - 4) / per;
        for (int i = 0; i < per; i++) {
          leaves.push_back(std::make_unique<Leaf>());
          bgs.back()->add(leaves.back().get(), plat::Rect(i * lw + 1, 2, (i + 1) * lw - 1, bh - 6),
                          nullptr);
        }
      }
    }
    root.start(&host, nullptr);
  }
  ~Tree() {
    root.stop();
    for (auto& b : bgs)
      while (b->getChildCount()) b->remove(b->getChild(0));
    for (auto& f : frames)
      while (f->getChildCount()) f->remove(f->getChild(0));
    while (root.getChildCount()) root.remove(root.getChild(0));
  }
  Host host;
  wvw::WCanvas root;
  std::vector<std::unique_ptr<wvw::WFrame>> frames;
  std::vector<std::unique_ptr<wvw::WBgLayout>> bgs;
  std::vector<std::unique_ptr<Leaf>> leaves;
};

void repaint(benchmark::State& state, plat::Point size, int cols, int rows, int per) {
  Tree tree(size, cols, rows, per);
  fb::ManagedPixelBuffer pb(fb::PixelFormat::rgb888(), size, nullptr);
  for (auto _ : state) {
    tree.root.render(&pb);
    benchmark::ClobberMemory();
  }
  state.counters["widgets"] = double(tree.leaves.size() + tree.bgs.size() + tree.frames.size());
}

void fill(benchmark::State& state, plat::Point size) {
  fb::ManagedPixelBuffer pb(fb::PixelFormat::rgb888(), size, nullptr);
  for (auto _ : state) {
    fb::fillRect(&pb, pb.getRect(), 0xD8D8D8);
    benchmark::ClobberMemory();
  }
}

void Repaint200Widgets1024x768(benchmark::State& state) {
  repaint(state, plat::Point(1024, 768), 4, 5, 10);
}
void PeerFill1024x768(benchmark::State& state) { fill(state, plat::Point(1024, 768)); }
void RepaintDialog415x625(benchmark::State& state) {
  repaint(state, plat::Point(415, 625), 2, 8, 3);
}
void PeerFill415x625(benchmark::State& state) { fill(state, plat::Point(415, 625)); }

void InvalidateThreeLevels(benchmark::State& state) {
  Tree tree(plat::Point(1024, 768), 4, 5, 10);
  Leaf* leaf = tree.leaves[123].get();
  for (auto _ : state) {
    leaf->invalidate();
    tree.host.dirty.clear();
  }
  state.counters["inval/s"] =
      benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

void PeerRegionUnion(benchmark::State& state) {
  fb::Region dirty;
  for (auto _ : state) {
    dirty.assign_union(dirty, fb::Region(fb::RgnRect(300, 400, 390, 540)));
    dirty.clear();
  }
  state.counters["inval/s"] =
      benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

// Moves to and fro over one leaf, so each event is routed down every level.
void PointerThreeLevels(benchmark::State& state) {
  Tree tree(plat::Point(1024, 768), 4, 5, 10);
  int x = 0;
  for (auto _ : state) {
    tree.root.pointerEvent(plat::Point(300 + (x ^= 1), 200), 0);
  }
  state.counters["events/s"] =
      benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

void PeerPointerAtTheLeaf(benchmark::State& state) {
  Tree tree(plat::Point(1024, 768), 4, 5, 10);
  Leaf* leaf = tree.leaves[123].get();
  int x = 0;
  for (auto _ : state) leaf->pointerEvent(plat::Point(5 + (x ^= 1), 5), 0);
  state.counters["events/s"] =
      benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(Repaint200Widgets1024x768)->Unit(benchmark::kMicrosecond);
BENCHMARK(PeerFill1024x768)->Unit(benchmark::kMicrosecond);
BENCHMARK(RepaintDialog415x625)->Unit(benchmark::kMicrosecond);
BENCHMARK(PeerFill415x625)->Unit(benchmark::kMicrosecond);
BENCHMARK(InvalidateThreeLevels);
BENCHMARK(PeerRegionUnion);
BENCHMARK(PointerThreeLevels);
BENCHMARK(PeerPointerAtTheLeaf);
