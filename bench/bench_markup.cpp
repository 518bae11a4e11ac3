// Mark-up layout of a 4 KB About-style text with a fixed-width test font,
// beside two peers over the same text in the same run: the stripper (the
// parse alone, no measuring) and a plain loop that finds the line breaks of
// the stripped text by counting bytes.
#include <benchmark/benchmark.h>

#include <string>

#include "lib1/plat/MarkUp.h"
#include "lib1/plat/MarkUpLayout.h"

namespace {

namespace mu = plat::MarkUp;

constexpr int kCharWidth = 8;
constexpr int kWidth = 400;  // 50 columns

const std::string& text() {
  static const std::string t = [] {
    const char* para =
        "^bGrantwell^n composes the permissions of remote users and groups. "
        "See ^12{the manual^} for details, or ^7{the licence^} for the terms of use.\n"
        "^m+Each line of this paragraph is indented by six pixels and wraps at the width "
        "given to the layout; ^uunderlined^n words keep their place.\n^m0\n";
    std::string s;
    while (s.size() < 4096) s += para;
    s.resize(4096);
    // Do not end inside a code.
    while (s.back() == '^' || s[s.size() - 2] == '^') s.pop_back();
    return s;
  }();
  return t;
}

struct FixedFont : mu::Layout::Callback {
  void setFontAndLinkId(mu::Font, int) override {}
  int getFontHeight() override { return 14; }
  int getTextWidth(const char* b, const char* e) override { return int(e - b) * kCharWidth; }
  void addItem(const char* b, const char* e, const plat::Rect& r) override {
    pieces++;
    bytes += e - b;
    benchmark::DoNotOptimize(r);
  }
  long pieces = 0, bytes = 0;
};

void layoutBench(benchmark::State& state, int width) {
  const char* t = text().c_str();
  for (auto _ : state) {
    FixedFont font;
    mu::Layout layout(&font, width);
    mu::parse(t, &layout);
    benchmark::DoNotOptimize(layout.getExtent());
    benchmark::DoNotOptimize(font.bytes);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text().size()));
}

void BM_MarkUpLayout(benchmark::State& state) { layoutBench(state, kWidth); }
void BM_MarkUpLayoutNoLimit(benchmark::State& state) { layoutBench(state, 0); }

void BM_PeerStripper(benchmark::State& state) {
  const char* t = text().c_str();
  for (auto _ : state) {
    mu::Stripper s(t);
    benchmark::DoNotOptimize(s.get());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text().size()));
}

// Greedy breaking at blanks into 50-column lines, on the stripped text.
void BM_PeerPlainWrapLoop(benchmark::State& state) {
  const std::string plain = mu::Stripper(text().c_str()).get();
  const int columns = kWidth / kCharWidth;
  for (auto _ : state) {
    int lines = 0, col = 0, word = 0;
    for (char c : plain) {
      if (c == '\n') {
        lines++;
        col = word = 0;
      } else if (c == ' ' || c == '\t') {
        word = 0;
        col++;
      } else {
        col++;
        word++;
        if (col > columns && word < col) {
          lines++;
          col = word;
        }
      }
    }
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text().size()));
}

}  // namespace

BENCHMARK(BM_MarkUpLayout)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MarkUpLayoutNoLimit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PeerStripper)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PeerPlainWrapLoop)->Unit(benchmark::kMicrosecond);
