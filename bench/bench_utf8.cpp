// UTF-8 decoding, validation and repair against glibc's mbrtowc under
// C.UTF-8, and a plain strlen as the memory-bandwidth ceiling, on about 1 MB
// of ASCII, mixed European, CJK, and European text with 10% invalid bytes.
// Validation stops at the first bad byte, so on the invalid text the figures
// that compare are the ones that go on after a bad byte: decoding every
// character and counting the bad ones, and repairing.
#include <benchmark/benchmark.h>

#include <clocale>
#include <cstring>
#include <cwchar>
#include <random>
#include <string>

#include "lib1/plat/Utf8.h"

namespace {

enum Kind { ASCII, EUROPEAN, CJK, INVALID };

// Deterministic text of about 1 MB without NUL bytes.
const std::string& text(Kind kind) {
  static std::string texts[4];
  std::string& t = texts[kind];
  if (!t.empty()) return t;
  std::mt19937 rng(kind + 1);
  const char* european[] = {"\xC3\xA4", "\xC3\xB6", "\xC3\xBC", "\xC3\x9F",    "\xC3\xA9",
                            "\xC3\xA8", "\xC3\xA7", "\xC5\x93", "\xE2\x82\xAC"};
  while (t.size() < (1 << 20)) {
    if (kind == CJK) {
      // Mostly three-byte ideographs, with some ASCII punctuation.
      int cp = 0x4E00 + int(rng() % 0x5000);
      char buf[4], *p = buf;
      plat::writeUtf8(rng() % 10 ? cp : ' ', &p);
      t.append(buf, p);
    } else if (kind != ASCII && rng() % 8 == 0) {
      t += european[rng() % 9];
    } else {
      t += rng() % 6 ? char('a' + rng() % 26) : ' ';
    }
  }
  if (kind == INVALID)
    for (char& c : t)
      if (rng() % 10 == 0) c = char(0x80 + rng() % 0x80);
  return t;
}

void setBytes(benchmark::State& state, Kind kind) {
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text(kind).size()));
}

void IsValidUtf8(benchmark::State& state, Kind kind) {
  const std::string& t = text(kind);
  for (auto _ : state) benchmark::DoNotOptimize(plat::isValidUtf8(t.data(), t.data() + t.size()));
  setBytes(state, kind);
}

void SanitizeUtf8(benchmark::State& state, Kind kind) {
  const std::string& t = text(kind);
  for (auto _ : state) {
    char* out = plat::sanitizeUtf8(t.data(), t.data() + t.size());
    benchmark::DoNotOptimize(out);
    delete[] out;
  }
  setBytes(state, kind);
}

// Every character decoded with the public decoder, counting the bad
// sequences and going on after each as the repair does.
void DecodeUtf8(benchmark::State& state, Kind kind) {
  const std::string& t = text(kind);
  for (auto _ : state) {
    int bad = 0;
    const char* p = t.data();
    const char* end = p + t.size();
    while (p < end) {
      const char* from = p;
      unsigned char lead = static_cast<unsigned char>(*p++);
      if (lead >= 0x80 && plat::readUtf8NonAscii(lead, &p, int(end - from)) < 0) bad++;
    }
    benchmark::DoNotOptimize(bad);
  }
  setBytes(state, kind);
}

// The C library's way: decode every character with mbrtowc, counting the
// bad ones and going on one byte after each.
void Mbrtowc(benchmark::State& state, Kind kind) {
  const std::string& t = text(kind);
  setlocale(LC_CTYPE, "C.UTF-8");
  for (auto _ : state) {
    mbstate_t st{};
    int bad = 0;
    const char* p = t.data();
    const char* end = p + t.size();
    while (p < end) {
      wchar_t wc;
      size_t n = mbrtowc(&wc, p, end - p, &st);
      if (n == size_t(-1) || n == size_t(-2)) {
        st = mbstate_t{};
        bad++;
        n = 1;
      }
      p += n;
    }
    benchmark::DoNotOptimize(bad);
  }
  setlocale(LC_CTYPE, "C");
  setBytes(state, kind);
}

// The same decoding loop writing a repaired copy, as sanitizeUtf8 does.
void MbrtowcRepair(benchmark::State& state, Kind kind) {
  const std::string& t = text(kind);
  setlocale(LC_CTYPE, "C.UTF-8");
  for (auto _ : state) {
    char* out = new char[t.size() * 3 + 1];
    char* o = out;
    mbstate_t st{};
    const char* p = t.data();
    const char* end = p + t.size();
    while (p < end) {
      wchar_t wc;
      size_t n = mbrtowc(&wc, p, end - p, &st);
      if (n == size_t(-1) || n == size_t(-2)) {
        st = mbstate_t{};
        memcpy(o, "\xEF\xBF\xBD", 3);
        o += 3;
        n = 1;
      } else {
        memcpy(o, p, n);
        o += n;
      }
      p += n;
    }
    *o = 0;
    benchmark::DoNotOptimize(out);
    delete[] out;
  }
  setlocale(LC_CTYPE, "C");
  setBytes(state, kind);
}

// Memory bandwidth as a plain loop reaches it.
void Strlen(benchmark::State& state, Kind kind) {
  const std::string& t = text(kind);
  for (auto _ : state) benchmark::DoNotOptimize(strlen(t.c_str()));
  setBytes(state, kind);
}

}  // namespace

#define GW_UTF8_BENCH(fn)                    \
  BENCHMARK_CAPTURE(fn, ascii, ASCII);       \
  BENCHMARK_CAPTURE(fn, european, EUROPEAN); \
  BENCHMARK_CAPTURE(fn, cjk, CJK);           \
  BENCHMARK_CAPTURE(fn, invalid10pct, INVALID)

BENCHMARK_CAPTURE(IsValidUtf8, ascii, ASCII);
BENCHMARK_CAPTURE(IsValidUtf8, european, EUROPEAN);
BENCHMARK_CAPTURE(IsValidUtf8, cjk, CJK);
GW_UTF8_BENCH(DecodeUtf8);
GW_UTF8_BENCH(Mbrtowc);
GW_UTF8_BENCH(SanitizeUtf8);
GW_UTF8_BENCH(MbrtowcRepair);
BENCHMARK_CAPTURE(Strlen, ascii, ASCII);
