// The cost of a log call: one that the setting suppresses (the level test is
// inline: about one comparison), and one let through to a destination that
// drops the line, with and without escaping; fprintf to /dev/null and a bare
// snprintf of the same line are the peers.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "lib1/plat/Log.h"

namespace {

struct NullLogger : plat::Logger {
  NullLogger() : plat::Logger("null") {}
  void write(int, const char*, const char* text) override { benchmark::DoNotOptimize(text); }
};

plat::LogWriter quiet("BenchQuiet");
plat::LogWriter loud("BenchLoud");

void BM_LogSuppressed(benchmark::State& state) {
  int i = 0;
  for (auto _ : state) {
    benchmark::ClobberMemory();  // reload the writer's fields each time
    quiet.debug("value %d: %s", i++, "some text");
  }
}
BENCHMARK(BM_LogSuppressed);

void BM_PeerEmptyLoop(benchmark::State& state) {
  int i = 0;
  for (auto _ : state) {
    benchmark::ClobberMemory();
    benchmark::DoNotOptimize(i++);
  }
}
BENCHMARK(BM_PeerEmptyLoop);

void BM_LogEnabledNullDestination(benchmark::State& state) {
  NullLogger sink;
  loud.setLoggerAndLevel(&sink, plat::LogWriter::LEVEL_DEBUG);
  int i = 0;
  for (auto _ : state) loud.debug("value %d: %s", i++, "some text");
  loud.setLoggerAndLevel(nullptr, 0);
}
BENCHMARK(BM_LogEnabledNullDestination);

void BM_LogEnabledEscaped(benchmark::State& state) {
  NullLogger sink;
  loud.setLoggerAndLevel(&sink, plat::LogWriter::LEVEL_DEBUG);
  int i = 0;
  for (auto _ : state) loud.debug("value %d: %s", i++, "some ~text\n");
  loud.setLoggerAndLevel(nullptr, 0);
}
BENCHMARK(BM_LogEnabledEscaped);

void BM_PeerFprintfDevNull(benchmark::State& state) {
  FILE* f = fopen("/dev/null", "w");
  int i = 0;
  for (auto _ : state) fprintf(f, "value %d: %s\n", i++, "some text");
  fclose(f);
}
BENCHMARK(BM_PeerFprintfDevNull);

void BM_PeerSnprintf4096(benchmark::State& state) {
  char buf[4096];
  int i = 0;
  for (auto _ : state) {
    snprintf(buf, sizeof buf, "value %d: %s", i++, "some text");
    benchmark::DoNotOptimize(buf);
  }
}
BENCHMARK(BM_PeerSnprintf4096);

}  // namespace
