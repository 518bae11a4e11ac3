// Byte streams beside the plain C and zlib ways of doing the same work.
#include <benchmark/benchmark.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "lib1/plat/DString.h"
#include "lib1/rdr/Exceptions.h"
#include "lib1/rdr/FileInStream.h"
#include "lib1/rdr/MemInStream.h"
#include "lib1/rdr/MemOutStream.h"
#include "lib1/rdr/ZlibInStream.h"

namespace {

std::string sampleText(size_t bytes) {
  std::string t;
  t.reserve(bytes + 100);
  unsigned x = 12345;
  while (t.size() < bytes) {
    x = x * 1103515245 + 12345;
    t += "STARTCHAR glyph" + std::to_string(x % 997) + "\nBITMAP " + std::to_string(x % 65536) +
         std::string(x % 40, ' ') + "\n";
  }
  t.resize(bytes);
  return t;
}

const std::string& inflated() {
  static std::string text = sampleText(20 << 20);
  return text;
}

const std::string& compressed() {
  static std::string data = [] {
    uLongf len = compressBound(inflated().size());
    std::string out(len, '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &len,
              reinterpret_cast<const Bytef*>(inflated().data()), inflated().size(), 6);
    out.resize(len);
    return out;
  }();
  return data;
}

void BM_Inflate_ZlibInStream(benchmark::State& state) {
  for (auto _ : state) {
    rdr::MemInStream src(compressed().data(), int(compressed().size()));
    rdr::ZlibInStream z(int(state.range(0)), false);
    z.rewindable = false;
    z.setUnderlying(&src, -1);
    size_t total = 0;
    try {
      // Consume the window in place, as a parser does.
      for (;;) {
        if (z.ptr == z.end) z.overrunOrRewind(true, 1);
        total += size_t(z.end - z.ptr);
        benchmark::DoNotOptimize(*z.ptr);
        z.setPtr(z.end);
      }
    } catch (rdr::EndOfStream&) {
    }
    if (total != inflated().size()) state.SkipWithError("wrong size");
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(inflated().size()));
}
BENCHMARK(BM_Inflate_ZlibInStream)->Arg(0)->Arg(65536)->Unit(benchmark::kMillisecond);

void BM_Inflate_ZlibUncompress(benchmark::State& state) {
  std::string out(inflated().size(), '\0');
  for (auto _ : state) {
    uLongf len = out.size();
    uncompress(reinterpret_cast<Bytef*>(out.data()), &len,
               reinterpret_cast<const Bytef*>(compressed().data()), compressed().size());
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(inflated().size()));
}
BENCHMARK(BM_Inflate_ZlibUncompress)->Unit(benchmark::kMillisecond);

const char* lineFile() {
  static std::string path = [] {
    std::string p = "/tmp/gw-bench-lines-" + std::to_string(getpid());
    FILE* f = fopen(p.c_str(), "w");
    std::string text = sampleText(50 << 20);
    fwrite(text.data(), 1, text.size(), f);
    fclose(f);
    atexit([] { unlink(lineFile()); });
    return p;
  }();
  return path.c_str();
}

void BM_ReadLine_FileInStream(benchmark::State& state) {
  for (auto _ : state) {
    rdr::FileInStream in(lineFile());
    plat::DString line;
    long lines = 0;
    try {
      for (;;) in.readLine(&line, 0), lines++;
    } catch (rdr::EndOfStream&) {
    }
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * (50 << 20));
}
BENCHMARK(BM_ReadLine_FileInStream)->Unit(benchmark::kMillisecond);

void BM_ReadLine_Fgets(benchmark::State& state) {
  char buf[4096];
  for (auto _ : state) {
    FILE* f = fopen(lineFile(), "r");
    long lines = 0;
    while (fgets(buf, sizeof(buf), f)) lines++;
    fclose(f);
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * (50 << 20));
}
BENCHMARK(BM_ReadLine_Fgets)->Unit(benchmark::kMillisecond);

constexpr int kWords = 1 << 20;

void BM_ReadU32_MemInStream(benchmark::State& state) {
  std::vector<unsigned char> data(kWords * 4, 7);
  for (auto _ : state) {
    rdr::MemInStream in(data.data(), int(data.size()));
    uint32_t sum = 0;
    for (int i = 0; i < kWords; i++) sum += in.readU32();
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kWords * 4);
}
BENCHMARK(BM_ReadU32_MemInStream);

void BM_ReadU32_MemcpyBswap(benchmark::State& state) {
  std::vector<unsigned char> data(kWords * 4, 7);
  for (auto _ : state) {
    uint32_t sum = 0;
    for (int i = 0; i < kWords; i++) {
      uint32_t v;
      memcpy(&v, data.data() + 4 * i, 4);
      sum += __builtin_bswap32(v);
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kWords * 4);
}
BENCHMARK(BM_ReadU32_MemcpyBswap);

void BM_WriteU32_MemOutStream(benchmark::State& state) {
  for (auto _ : state) {
    rdr::MemOutStream out(kWords * 4, 0);
    for (int i = 0; i < kWords; i++) out.writeU32(uint32_t(i));
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kWords * 4);
}
BENCHMARK(BM_WriteU32_MemOutStream);

void BM_WriteU32_MemcpyBswap(benchmark::State& state) {
  std::vector<unsigned char> out(kWords * 4);
  for (auto _ : state) {
    for (int i = 0; i < kWords; i++) {
      uint32_t v = __builtin_bswap32(uint32_t(i));
      memcpy(out.data() + 4 * i, &v, 4);
    }
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kWords * 4);
}
BENCHMARK(BM_WriteU32_MemcpyBswap);

}  // namespace
