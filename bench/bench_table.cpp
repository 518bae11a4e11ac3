// The cost of one table frame: a 600x400 table of three columns (two texts
// and a 16x16 image) drawn whole with 100 rows and with 1,000,000 rows
// scrolled to the middle. Only the rows in view are asked for and drawn, so
// the two figures should agree; the peer is one fill of the table's area.
#include <benchmark/benchmark.h>

#include <string>

#include "lib2/fb/Draw.h"
#include "lib2/fb/ManagedPixelBuffer.h"
#include "lib2/wvw/WTable.h"

namespace {

class Host : public wvw::WParent {
 public:
  void invalidateChild(wvw::Widget*, const fb::Region&) override {}
  void bell() override {}
  void requestChildFocus(wvw::Widget*) override {}
  bool childHasFocus(const wvw::Widget*) const override { return false; }
  bool focusNext() override { return false; }
  bool focusPrev() override { return false; }
  bool isKeyPressed(unsigned int) const override { return false; }
  const char* getCutText() const override { return ""; }
  void setCutText(const char*) override {}
};

class Rows : public wvw::WTable::Callback {
 public:
  Rows() { fb::fillRect(&icon_, icon_.getRect(), 0xC80000); }
  const char* getTableText(wvw::WTable*, int row, int col) override {
    text_ = (col == 1 ? "user" : "group ") + std::to_string(row);
    return text_.c_str();
  }
  fb::PixelBuffer* getTableImage(wvw::WTable*, int, int) override { return &icon_; }

 private:
  std::string text_;
  fb::ManagedPixelBuffer icon_{fb::PixelFormat::rgb888(), plat::Point(16, 16), nullptr};
};

const plat::Point Size(600, 400);

void frame(benchmark::State& state, int rows) {
  Host host;
  Rows cb;
  wvw::WTable table(&cb, true, false);
  table.addCol(1, wvw::WTable::TextCol, "Name", -1, {}, plat::ALIGN_LEFT, plat::ALIGN_CENTRE);
  table.addCol(2, wvw::WTable::TextCol, "Group", -1, {}, plat::ALIGN_LEFT, plat::ALIGN_CENTRE);
  table.addCol(3, wvw::WTable::ImageCol, "", -1, {}, plat::ALIGN_CENTRE, plat::ALIGN_CENTRE);
  table.setSize(Size);
  table.start(&host, nullptr);
  table.setNumRows(rows);
  table.reload();
  table.setSelected(rows / 2, 1);
  fb::ManagedPixelBuffer pb(fb::PixelFormat::rgb888(), Size, nullptr);
  for (auto _ : state) {
    table.render(&pb);
    benchmark::ClobberMemory();
  }
  table.stop();
}

void TableFrame100Rows(benchmark::State& state) { frame(state, 100); }
void TableFrame1000000Rows(benchmark::State& state) { frame(state, 1000000); }

void PeerFillTableArea(benchmark::State& state) {
  fb::ManagedPixelBuffer pb(fb::PixelFormat::rgb888(), Size, nullptr);
  for (auto _ : state) {
    fb::fillRect(&pb, pb.getRect(), 0xFFFFFF);
    benchmark::ClobberMemory();
  }
}

}  // namespace

BENCHMARK(TableFrame100Rows)->Unit(benchmark::kMicrosecond);
BENCHMARK(TableFrame1000000Rows)->Unit(benchmark::kMicrosecond);
BENCHMARK(PeerFillTableArea)->Unit(benchmark::kMicrosecond);
