// Finding a parameter by name among 100 (a case-insensitive walk of the list)
// beside a std::map<std::string> look-up of the same names; and re-applying a
// five-element `Log` value to 40 log sources beside the bare wildcard matches
// that it performs.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "lib1/plat/Configuration.h"
#include "lib1/plat/IntParameter.h"
#include "lib1/plat/LogParam.h"
#include "lib1/plat/Wildcard.h"

namespace {

std::vector<std::string> paramNames() {
  static const char* const stems[] = {"Log",  "Locale", "Permissions", "Color", "Text",
                                      "Size", "Double", "ClickTime",   "Owner", "Sync"};
  std::vector<std::string> names;
  for (int i = 0; i < 100; i++) names.push_back(stems[i % 10] + std::to_string(i));
  return names;
}

void BM_ConfigurationGet100(benchmark::State& state) {
  plat::Configuration conf("Bench");
  std::vector<std::string> names = paramNames();
  std::vector<std::unique_ptr<plat::IntParameter>> params;
  for (const std::string& n : names)
    params.push_back(std::make_unique<plat::IntParameter>(n.c_str(), "", 0, false, &conf));
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(conf.get(names[i].c_str()));
    i = (i + 1) % names.size();
  }
}
BENCHMARK(BM_ConfigurationGet100);

void BM_PeerStdMapFind100(benchmark::State& state) {
  std::vector<std::string> names = paramNames();
  std::map<std::string, int> map;
  for (const std::string& n : names) map[n] = 0;
  size_t i = 0;
  for (auto _ : state) {
    // Built from a C string, as a caller of get() holds the name.
    benchmark::DoNotOptimize(map.find(std::string(names[i].c_str())));
    i = (i + 1) % names.size();
  }
}
BENCHMARK(BM_PeerStdMapFind100);

const char kLogValue[] =
    "*:null:10,Config*:null:30,TimerManager:null:100,Fd*:null:50,*Writer3*:null:20";

struct LogSetup {
  struct NullLogger : plat::Logger {
    NullLogger() : plat::Logger("null") {}
    void write(int, const char*, const char*) override {}
  } sink;
  std::vector<std::unique_ptr<plat::LogWriter>> writers;
  std::vector<std::string> names;
  LogSetup() {
    int count = 0;
    for (plat::LogWriter* w = plat::LogWriter::head; w; w = w->next) count++;
    for (int i = 0; count < 40; i++, count++) names.push_back("BenchWriter" + std::to_string(i));
    for (const std::string& n : names)
      writers.push_back(std::make_unique<plat::LogWriter>(n.c_str()));
    plat::logParam.setParam(kLogValue, 50);
  }
  ~LogSetup() { plat::logParam.unsetParam(50, true); }
};

void BM_RefreshLogSetting40x5(benchmark::State& state) {
  LogSetup setup;
  for (auto _ : state) plat::LogWriter::refreshLogSetting();
}
BENCHMARK(BM_RefreshLogSetting40x5);

void BM_PeerWildcardMatches40x6(benchmark::State& state) {
  LogSetup setup;
  const char* patterns[] = {"*", "*", "Config*", "TimerManager", "Fd*", "*Writer3*"};
  for (auto _ : state) {
    int matched = 0;
    for (const char* p : patterns)
      for (plat::LogWriter* w = plat::LogWriter::head; w; w = w->next)
        matched += plat::Wildcard::match(p, w->name, false, plat::Wildcard::STAR);
    benchmark::DoNotOptimize(matched);
  }
}
BENCHMARK(BM_PeerWildcardMatches40x6);

}  // namespace
