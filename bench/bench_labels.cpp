// What measuring a label costs, the layouts ask it on every pass: the
// minimum height of a 1 KB marked-up text (About-box size) at 300 pixels,
// beside its peer, the same label laying itself out once (without the
// scratch label the measuring builds); and the minimum height of a 4 KB
// plain paragraph, beside its peer, the font wrapping the same text directly.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "lib2/gfxutil/Font.h"
#include "lib2/wvw/WLabelMarkedUp.h"
#include "lib2/wvw/WStyle.h"

namespace {

std::string repeated(const char* para, size_t size) {
  std::string s;
  while (s.size() < size) s += para;
  return s;
}

const std::string& markedUp() {
  static const std::string t = repeated(
      "^bGrantwell^n composes the permissions of remote users and groups. See "
      "^12{the manual^} for details, or ^7{the licence^} for the terms of use.\n",
      1024);
  return t;
}

const std::string& plain() {
  static const std::string t = repeated(
      "Each line of this paragraph wraps at the width the label is given, and the "
      "layout asks for its height again whenever the dialog changes size. ",
      4096);
  return t;
}

void MarkedUpMinHeight(benchmark::State& state) {
  wvw::WLabelMarkedUp label(nullptr, markedUp().c_str(), plat::ALIGN_LEFT);
  for (auto _ : state) benchmark::DoNotOptimize(label.getMinHeight(300));
}

void PeerMarkedUpLayout(benchmark::State& state) {
  wvw::WLabelMarkedUp label(nullptr, markedUp().c_str(), plat::ALIGN_LEFT);
  label.setSize(plat::Point(300, 0));
  for (auto _ : state) {
    label.wrap();
    benchmark::DoNotOptimize(label.getPieces().size());
  }
}

void PlainMinHeight(benchmark::State& state) {
  wvw::WLabel label(plain().c_str(), plat::ALIGN_LEFT);
  for (auto _ : state) benchmark::DoNotOptimize(label.getMinHeight(300));
}

void PeerFontWrap(benchmark::State& state) {
  gfxutil::Font* font = wvw::WStyle::defaultStyle()->font;
  for (auto _ : state) {
    std::vector<plat::String> lines;
    font->wrap(plain().c_str(), 292, &lines);
    benchmark::DoNotOptimize(lines.size());
  }
}

}  // namespace

BENCHMARK(MarkedUpMinHeight)->Unit(benchmark::kMicrosecond);
BENCHMARK(PeerMarkedUpLayout)->Unit(benchmark::kMicrosecond);
BENCHMARK(PlainMinHeight)->Unit(benchmark::kMicrosecond);
BENCHMARK(PeerFontWrap)->Unit(benchmark::kMicrosecond);
