// What a list costs to fill and to change, beside its peer, a bare table
// whose owner keeps the texts itself. A list of rows by two text columns,
// shown in a window, is filled row by row through addRowData and then drawn
// once (1,000 and 10,000 rows: the time per row must not grow); the peer
// fills its own rows, reloads the table once and draws it. A second peer
// reloads the table for every row and every cell, as an owner that keeps
// the table current at each change would. Then one cell in view changes,
// which asks for a repaint; the peer reloads its table as the widget wants
// after a change of content. The list figures count the table's reloads.
#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <vector>

#include "lib1/plat/String.h"
#include "lib2/mui/wvw/MuCommonWvw.h"
#include "lib2/mui/wvw/MuListWvw.h"
#include "lib2/mui/wvw/MuiWvw.h"
#include "lib2/wvw/WTable.h"
#include "tests/support/WidgetHost.h"

namespace {

const plat::Point Window(300, 400);

void installMui() {
  static mui::MuiWvw backEnd;
  mui::Mui::set(&backEnd);
}

const std::vector<std::string>& names() {
  static std::vector<std::string> n = [] {
    std::vector<std::string> v;
    for (int i = 0; i < 10000; i++) v.push_back("user" + std::to_string(i));
    return v;
  }();
  return n;
}

void ListFillAndDraw(benchmark::State& state) {
  installMui();
  gwtest::WidgetHost host(Window);
  int n = int(state.range(0));
  int reloads = 0;
  for (auto _ : state) {
    mui::MuListWvw list(nullptr, "list", 0, nullptr);
    list.addColumn(1, mui::MuList::Text, "Name", -1);
    list.addColumn(2, mui::MuList::Text, "Kind", -1);
    host.host(mui::getWidget(&list));
    int before = list.reloadCount();
    for (int i = 0; i < n; i++) list.addRowData(-1, {names()[size_t(i)].c_str(), "user"});
    benchmark::DoNotOptimize(host.render().getRect());
    reloads = list.reloadCount() - before;
    host.unhost();
  }
  state.counters["reloads"] = reloads;
  state.SetItemsProcessed(state.iterations() * n);
}

struct Owner : wvw::WTable::Callback {
  const char* getTableText(wvw::WTable*, int row, int col) override {
    return rows[size_t(row)][size_t(col - 1)].get();
  }
  std::vector<std::array<plat::String, 2>> rows;
};

// everyCell: reloads for the row and for each of its cells.
void tableFill(benchmark::State& state, bool everyCell) {
  gwtest::WidgetHost host(Window);
  int n = int(state.range(0));
  for (auto _ : state) {
    Owner owner;
    wvw::WTable table(&owner, false, false);
    table.addCol(1, wvw::WTable::TextCol, "Name", -1, {}, plat::ALIGN_LEFT, plat::ALIGN_CENTRE);
    table.addCol(2, wvw::WTable::TextCol, "Kind", -1, {}, plat::ALIGN_LEFT, plat::ALIGN_CENTRE);
    host.host(&table);
    for (int i = 0; i < n; i++) {
      owner.rows.push_back({plat::String(names()[size_t(i)].c_str()), plat::String("user")});
      table.setNumRows(i + 1);
      for (int k = 0; everyCell && k < 3; k++) table.reload();
    }
    table.reload();
    benchmark::DoNotOptimize(host.render().getRect());
    host.unhost();
  }
  state.SetItemsProcessed(state.iterations() * n);
}

void PeerTableFillAndDraw(benchmark::State& state) { tableFill(state, false); }
void PeerTableFillReloadingEveryCell(benchmark::State& state) { tableFill(state, true); }

void ListUpdateOneCell(benchmark::State& state) {
  installMui();
  gwtest::WidgetHost host(Window);
  mui::MuListWvw list(nullptr, "list", 0, nullptr);
  list.addColumn(1, mui::MuList::Text, "Name", -1);
  list.addColumn(2, mui::MuList::Text, "Kind", -1);
  for (const std::string& name : names()) list.addRowData(-1, {name.c_str(), "user"});
  host.host(mui::getWidget(&list));
  host.render();
  int before = list.reloadCount();
  bool flip = false;
  for (auto _ : state) {
    list.setData(3, 2, (flip = !flip) ? "group" : "user");
    benchmark::DoNotOptimize(host.takeDirty());
  }
  state.counters["reloads"] = list.reloadCount() - before;
  host.unhost();
}

void PeerTableUpdateOneCell(benchmark::State& state) {
  gwtest::WidgetHost host(Window);
  Owner owner;
  wvw::WTable table(&owner, false, false);
  table.addCol(1, wvw::WTable::TextCol, "Name", -1, {}, plat::ALIGN_LEFT, plat::ALIGN_CENTRE);
  table.addCol(2, wvw::WTable::TextCol, "Kind", -1, {}, plat::ALIGN_LEFT, plat::ALIGN_CENTRE);
  for (const std::string& name : names())
    owner.rows.push_back({plat::String(name.c_str()), plat::String("user")});
  table.setNumRows(int(owner.rows.size()));
  host.host(&table);
  bool flip = false;
  for (auto _ : state) {
    owner.rows[3][1] = (flip = !flip) ? "group" : "user";
    table.reload();
    benchmark::DoNotOptimize(host.takeDirty());
  }
  host.unhost();
}

}  // namespace

BENCHMARK(ListFillAndDraw)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(PeerTableFillAndDraw)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(PeerTableFillReloadingEveryCell)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(ListUpdateOneCell);
BENCHMARK(PeerTableUpdateOneCell);
