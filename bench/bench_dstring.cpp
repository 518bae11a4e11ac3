// Building text with plat::DString against std::string: appends of short
// pieces, and printf-style formatting (DString::prf against snprintf into a
// buffer appended to a std::string).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "lib1/plat/DString.h"

namespace {

const char* const kWords[] = {"alpha", "be", "gamma-delta", "e", "Configuration", "io"};
constexpr int kPieces = 10000;

void DStringAppend(benchmark::State& state) {
  int64_t bytes = 0;
  for (auto _ : state) {
    plat::DString d;
    for (int i = 0; i < kPieces; i++) d.append_(kWords[i % 6]);
    bytes += d.length();
    benchmark::DoNotOptimize(d.data());
  }
  state.SetBytesProcessed(bytes);
}

void StdStringAppend(benchmark::State& state) {
  int64_t bytes = 0;
  for (auto _ : state) {
    std::string s;
    for (int i = 0; i < kPieces; i++) s += kWords[i % 6];
    bytes += int64_t(s.size());
    benchmark::DoNotOptimize(s.data());
  }
  state.SetBytesProcessed(bytes);
}

void DStringPrf(benchmark::State& state) {
  int64_t bytes = 0;
  for (auto _ : state) {
    plat::DString d;
    for (int i = 0; i < kPieces; i++) d.prf("%s=%d, ", kWords[i % 6], i);
    bytes += d.length();
    benchmark::DoNotOptimize(d.data());
  }
  state.SetBytesProcessed(bytes);
}

void StdStringSnprintf(benchmark::State& state) {
  int64_t bytes = 0;
  for (auto _ : state) {
    std::string s;
    for (int i = 0; i < kPieces; i++) {
      char buf[64];
      int n = snprintf(buf, sizeof buf, "%s=%d, ", kWords[i % 6], i);
      s.append(buf, n);
    }
    bytes += int64_t(s.size());
    benchmark::DoNotOptimize(s.data());
  }
  state.SetBytesProcessed(bytes);
}

}  // namespace

BENCHMARK(DStringAppend);
BENCHMARK(StdStringAppend);
BENCHMARK(DStringPrf);
BENCHMARK(StdStringSnprintf);
