// Wildcard matching of log names beside glibc's fnmatch, on everyday patterns
// and on a pattern whose stars make back-tracking matchers exponential.
#include <benchmark/benchmark.h>
#include <fnmatch.h>

#include <string>
#include <vector>

#include "lib1/plat/Wildcard.h"

namespace {

const std::vector<const char*>& logNames() {
  static const std::vector<const char*> names = {"Assertion",
                                                 "ConfigParameter",
                                                 "Configuration",
                                                 "FileConfig",
                                                 "FilePtr",
                                                 "TransactedFile",
                                                 "TimerManager",
                                                 "Localize",
                                                 "FdIo",
                                                 "SocketUtil",
                                                 "IpInfo",
                                                 "FdOutStream",
                                                 "LaunchProcess",
                                                 "TXUtil",
                                                 "TXWindow",
                                                 "TXWParent",
                                                 "TXImage",
                                                 "WText",
                                                 "NamedImagePixelBuffer",
                                                 "MuListWvw",
                                                 "PermissionsDialog",
                                                 "grantwell"};
  return names;
}

const char* const kPatterns[] = {"*", "config*", "*manager", "tx*window*", "FdIo"};

void BM_LogNames_Wildcard(benchmark::State& state) {
  int matches = 0;
  for (auto _ : state)
    for (const char* pattern : kPatterns)
      for (const char* name : logNames())
        matches += plat::Wildcard::match(pattern, name, false, plat::Wildcard::STAR);
  benchmark::DoNotOptimize(matches);
  state.SetItemsProcessed(int64_t(state.iterations()) * 5 * int64_t(logNames().size()));
}
BENCHMARK(BM_LogNames_Wildcard);

void BM_LogNames_Fnmatch(benchmark::State& state) {
  int matches = 0;
  for (auto _ : state)
    for (const char* pattern : kPatterns)
      for (const char* name : logNames()) matches += fnmatch(pattern, name, FNM_CASEFOLD) == 0;
  benchmark::DoNotOptimize(matches);
  state.SetItemsProcessed(int64_t(state.iterations()) * 5 * int64_t(logNames().size()));
}
BENCHMARK(BM_LogNames_Fnmatch);

const char kPathological[] = "*a*a*a*a*a*a*a*a*a*a*a*a*b";

void BM_Pathological_Wildcard(benchmark::State& state) {
  std::string text(size_t(state.range(0)), 'a');
  for (auto _ : state)
    benchmark::DoNotOptimize(
        plat::Wildcard::match(kPathological, text.c_str(), false, plat::Wildcard::STAR));
}
BENCHMARK(BM_Pathological_Wildcard)->Arg(16)->Arg(20)->Arg(24)->Arg(1000)->Arg(100000);

void BM_Pathological_Fnmatch(benchmark::State& state) {
  std::string text(size_t(state.range(0)), 'a');
  for (auto _ : state) benchmark::DoNotOptimize(fnmatch(kPathological, text.c_str(), FNM_CASEFOLD));
}
BENCHMARK(BM_Pathological_Fnmatch)->Arg(16)->Arg(20)->Arg(24)->Unit(benchmark::kMicrosecond);

// The back-tracking matcher that tries every split of every star.
bool backtrack(const char* p, const char* t) {
  for (; *p && *t; p++, t++) {
    if (*p == '*') {
      for (const char* s = t;; s++) {
        if (backtrack(p + 1, s)) return true;
        if (!*s) return false;
      }
    }
    if (*p != *t) return false;
  }
  while (*p == '*') p++;
  return !*p && !*t;
}

void BM_Pathological_Backtracking(benchmark::State& state) {
  std::string text(size_t(state.range(0)), 'a');
  for (auto _ : state) benchmark::DoNotOptimize(backtrack(kPathological, text.c_str()));
}
BENCHMARK(BM_Pathological_Backtracking)->Arg(16)->Arg(20)->Arg(24)->Unit(benchmark::kMicrosecond);

}  // namespace
