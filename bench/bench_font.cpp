// The embedded bitmap fonts: the first load of each (inflate and parse)
// beside zlib inflating the same bytes alone; textWidth per character beside
// only decoding the same UTF-8; drawText into a 32-bit line beside a memset
// of the same area.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstring>
#include <vector>

#include "lib1/plat/Utf8.h"
#include "lib2/fb/ManagedPixelBuffer.h"
#include "lib2/gfxutil/BuiltInResource.h"
#include "lib2/gfxutil/FontCache.h"

namespace {

const char* const kFonts[] = {"helv15", "helvB15"};
// A dialog line with a few accented letters; 58 characters.
const char kSample[] =
    "Refresh Users & Groups \xE2\x80\x94 Gr\xC3\xB6\xC3\x9F"
    "e, caf\xC3\xA9, ni\xC3\xB1o: 0123456789";

int charCount() { return plat::utf8NumColumns(kSample); }

plat::CBuf<unsigned char> resource(int which) {
  char name[32];
  snprintf(name, sizeof(name), "%s.gz", kFonts[which]);
  return gfxutil::builtInResourceGet(name);
}

void BM_FontLoad(benchmark::State& state) {
  plat::CBuf<unsigned char> gz = resource(int(state.range(0)));
  state.SetLabel(kFonts[state.range(0)]);
  for (auto _ : state) benchmark::DoNotOptimize(gfxutil::readFont("f", gz.data, gz.length));
}

void BM_ZlibInflateOnly(benchmark::State& state) {
  plat::CBuf<unsigned char> gz = resource(int(state.range(0)));
  state.SetLabel(kFonts[state.range(0)]);
  std::vector<unsigned char> out(1 << 20);
  for (auto _ : state) {
    z_stream zs{};
    inflateInit2(&zs, 15 + 16);
    zs.next_in = const_cast<unsigned char*>(gz.data);
    zs.avail_in = unsigned(gz.length);
    zs.next_out = out.data();
    zs.avail_out = unsigned(out.size());
    benchmark::DoNotOptimize(inflate(&zs, Z_FINISH));
    inflateEnd(&zs);
  }
}

void perChar(benchmark::State& state) {
  state.counters["ns/char"] =
      benchmark::Counter(double(state.iterations()) * charCount(),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_TextWidth(benchmark::State& state) {
  plat::SharedPtr<gfxutil::FontProp> font = gfxutil::getFont("helv15");
  for (auto _ : state) benchmark::DoNotOptimize(font->textWidth(kSample));
  perChar(state);
}

void BM_Utf8DecodeOnly(benchmark::State& state) {
  for (auto _ : state) {
    int sum = 0;
    for (const char* p = kSample; *p;) {
      unsigned char lead = static_cast<unsigned char>(*p++);
      sum += lead < 0x80 ? lead : plat::readUtf8NonAscii(lead, &p, 4);
    }
    benchmark::DoNotOptimize(sum);
  }
  perChar(state);
}

const plat::Point kLine(400, 15);

void BM_DrawText32(benchmark::State& state) {
  plat::SharedPtr<gfxutil::FontProp> font = gfxutil::getFont(kFonts[state.range(0)]);
  state.SetLabel(kFonts[state.range(0)]);
  fb::ManagedPixelBuffer pb(fb::PixelFormat::rgb888(), kLine, nullptr);
  for (auto _ : state) {
    font->drawText(&pb, kSample, plat::Point(0, 0), 0x336699);
    benchmark::ClobberMemory();
  }
  state.counters["glyphs/s"] =
      benchmark::Counter(double(state.iterations()) * charCount(), benchmark::Counter::kIsRate);
}

void BM_MemsetSameArea(benchmark::State& state) {
  std::vector<uint32_t> area(size_t(kLine.x) * kLine.y);
  for (auto _ : state) {
    memset(area.data(), 0x33, area.size() * 4);
    benchmark::ClobberMemory();
  }
}

}  // namespace

BENCHMARK(BM_FontLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ZlibInflateOnly)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TextWidth);
BENCHMARK(BM_Utf8DecodeOnly);
BENCHMARK(BM_DrawText32)->Arg(0)->Arg(1);
BENCHMARK(BM_MemsetSameArea);
