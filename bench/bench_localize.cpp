// Localisation at start-up and per look-up.
//
// Registering: 10,000 built-in rows (2,500 keys in four languages), the size
// of every message table of a large product together, then merging the
// process's translation map; beside it the same rows copied into a plain
// std::map<std::string, std::string>. Each iteration registers a fresh set of
// tables, as start-up does once.
//
// Look-up: loc::localize of a German text among 2,500 keys beside glibc's
// dgettext on a catalogue of the same keys and texts, written as a .mo file
// when the benchmark starts.
#include <benchmark/benchmark.h>
#include <libintl.h>
#include <unistd.h>

#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "lib1/loc/Localize.h"
#include "lib1/loc/TransMap.h"

namespace {

constexpr int kKeys = 2500;
const char* const kLanguages[] = {"de", "es", "fr", "en"};

struct Row {
  std::string locale, key, text;
};

// The registry borrows built-in texts for good, so every row ever made lives
// until exit.
std::deque<std::vector<Row>>& allRows() {
  static std::deque<std::vector<Row>> rows;
  return rows;
}

std::string printed(const char* format, const char* s, int n) {
  char buf[128];
  snprintf(buf, sizeof buf, format, s, n);
  return buf;
}

std::vector<Row>& makeRows(const char* tag) {
  std::vector<Row>& rows = allRows().emplace_back();
  for (const char* lang : kLanguages) {
    std::string locale(tag);
    locale.append(lang);
    for (int i = 0; i < kKeys; i++)
      rows.push_back({locale, printed("comp_unit_%s%d", "item", i),
                      printed("%s text of message number %d", lang, i)});
  }
  return rows;
}

void RegisterBuiltInRows(benchmark::State& state) {
  int batch = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::string tag = printed("%s%d_", "b", batch++);
    std::vector<Row>& rows = makeRows(tag.c_str());
    loc::TransMap map;
    state.ResumeTiming();
    for (const Row& r : rows)
      loc::Localize::inst()->addBuiltInString(r.locale.c_str(), r.key.c_str(), r.text.c_str());
    loc::Localize::inst()->setTransMapLocales({plat::String(rows[0].locale.c_str())}, &map);
    benchmark::DoNotOptimize(map.get(loc::msgid_t(rows[0].key.c_str())));
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * kKeys * 4);
}
BENCHMARK(RegisterBuiltInRows)->Unit(benchmark::kMillisecond)->Iterations(40);

void PeerStdMapOfStrings(benchmark::State& state) {
  std::vector<Row>& rows = makeRows("peer_");
  for (auto _ : state) {
    std::map<std::string, std::map<std::string, std::string>> tables;
    for (const Row& r : rows) tables[r.locale][r.key] = r.text;
    benchmark::DoNotOptimize(tables.size());
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * kKeys * 4);
}
BENCHMARK(PeerStdMapOfStrings)->Unit(benchmark::kMillisecond)->Iterations(40);

// The German rows of the look-up catalogue, keys sorted as a .mo file wants.
struct Catalogue {
  std::vector<Row> rows;
  std::string dir;
  bool gettextReady = false;

  Catalogue() {
    for (int i = 0; i < kKeys; i++)
      rows.push_back({"de", printed("lookup_unit_%s%d", "item", i),
                      printed("%s der Meldung %d", "Deutscher Text", i)});
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.key < b.key; });
    for (const Row& r : rows)
      loc::Localize::inst()->addBuiltInString("de", r.key.c_str(), r.text.c_str());
    static loc::TransMap map;  // current from here on
    loc::Localize::inst()->setTransMapLocales({"de_DE"}, &map);
    writeMo();
  }

  // A GNU .mo file: header, the sorted originals' and the translations'
  // (length, offset) tables, then the strings; no hash table, so glibc
  // searches the sorted originals.
  void writeMo() {
    char tmpl[] = "/tmp/bench_loc_XXXXXX";
    if (!mkdtemp(tmpl)) return;
    dir = tmpl;
    std::vector<std::pair<std::string, std::string>> entries;
    entries.emplace_back("", "Content-Type: text/plain; charset=UTF-8\n");
    for (const Row& r : rows) entries.emplace_back(r.key, r.text);
    uint32_t n = uint32_t(entries.size());
    uint32_t origTable = 28, transTable = origTable + 8 * n, strings = transTable + 8 * n;
    std::vector<uint32_t> head = {0x950412de, 0, n, origTable, transTable, 0, strings};
    std::string table, data;
    for (int pass = 0; pass < 2; pass++)
      for (const auto& e : entries) {
        const std::string& s = pass == 0 ? e.first : e.second;
        uint32_t pair[2] = {uint32_t(s.size()), uint32_t(strings + data.size())};
        table.append(reinterpret_cast<const char*>(pair), 8);
        data.append(s.c_str(), s.size() + 1);
      }
    std::string path = dir + "/de/LC_MESSAGES";
    if (system(("mkdir -p " + path).c_str()) != 0) return;
    FILE* f = fopen((path + "/gwbench.mo").c_str(), "wb");
    if (!f) return;
    fwrite(head.data(), 4, head.size(), f);
    fwrite(table.data(), 1, table.size(), f);
    fwrite(data.data(), 1, data.size(), f);
    fclose(f);
    unsetenv("LANGUAGE");
    if (!setlocale(LC_ALL, "de_DE.UTF-8")) return;
    setlocale(LC_NUMERIC, "C");  // keeps the report's numbers readable
    bindtextdomain("gwbench", dir.c_str());
    gettextReady = rows[7].text == dgettext("gwbench", rows[7].key.c_str());
  }
  ~Catalogue() {
    if (!dir.empty() && system(("rm -rf " + dir).c_str()) != 0) perror("rm");
  }
};

Catalogue& catalogue() {
  static Catalogue c;
  return c;
}

void Localize(benchmark::State& state) {
  Catalogue& c = catalogue();
  std::vector<loc::msgid_t> ids;
  for (const Row& r : c.rows) ids.emplace_back(r.key.c_str());
  if (strcmp(loc::localize(ids[7]), c.rows[7].text.c_str()) != 0)
    state.SkipWithError("loc::localize did not find the German text");
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(loc::localize(ids[i]));
    i = (i + 7) % ids.size();
  }
}
BENCHMARK(Localize);

void PeerDgettext(benchmark::State& state) {
  Catalogue& c = catalogue();
  if (!c.gettextReady) state.SkipWithError("dgettext did not find the German text");
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(dgettext("gwbench", c.rows[i].key.c_str()));
    i = (i + 7) % c.rows.size();
  }
}
BENCHMARK(PeerDgettext);

}  // namespace
