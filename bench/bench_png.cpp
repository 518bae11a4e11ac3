// The tool's embedded images: decoding each one into a pixel buffer beside
// libpng's simplified API (png_image_finish_read, BGRA) on the same bytes;
// building all of them as named images at start-up (search, decode,
// premultiply, scale to the screen density) beside decoding them alone with
// the simplified API; and a named-image cache hit beside a lookup in a
// std::map of the same names. The embedded fonts are skipped: only files
// that open with the PNG signature are measured.
#include <benchmark/benchmark.h>
#include <png.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "EmbeddedFiles_apps_grantwell_resources.h"
#include "lib2/fb/ManagedPixelBuffer.h"
#include "lib2/gfxutil/NamedImagePixelBuffer.h"
#include "lib2/gfxutil/PngFile.h"

namespace {

namespace res = embedded_apps_grantwell_resources;

// The indices of the PNG files among the embedded ones.
const std::vector<int>& pngs() {
  static const std::vector<int> indices = [] {
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<int> found;
    for (int i = 0; i < res::count; i++)
      if (res::files[i].length >= 8 && memcmp(res::files[i].data, signature, 8) == 0)
        found.push_back(i);
    return found;
  }();
  return indices;
}

// The name the tool asks for, and the size: "@2x" images at their natural
// size, the window icon at its exact ones.
std::pair<std::string, plat::Point> logicalOf(const char* file) {
  std::string name(file, strlen(file) - 4);
  size_t at = name.find("@2x");
  if (at != std::string::npos) return {name.substr(0, at), plat::Point(0, 0)};
  size_t x = name.find_last_of('x');
  size_t digits = name.find_first_of("0123456789");
  int side = std::stoi(name.substr(x + 1));
  return {name.substr(0, digits), plat::Point(side, side)};
}

void BM_PngFile(benchmark::State& state) {
  const res::File& f = res::files[state.range(0)];
  state.SetLabel(f.name);
  for (auto _ : state) {
    gfxutil::PngFile png({f.length, f.data}, state.range(1) != 0, f.name);
    fb::ManagedPixelBuffer pb(&png);
    benchmark::DoNotOptimize(pb.getPixelsR(pb.getRect(), nullptr));
  }
}

bool simplifiedDecode(const res::File& f, std::vector<unsigned char>* out) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, f.data, size_t(f.length))) return false;
  image.format = PNG_FORMAT_BGRA;
  out->resize(PNG_IMAGE_SIZE(image));
  return png_image_finish_read(&image, nullptr, out->data(), 0, nullptr);
}

void BM_SimplifiedApi(benchmark::State& state) {
  const res::File& f = res::files[state.range(0)];
  state.SetLabel(f.name);
  std::vector<unsigned char> out;
  for (auto _ : state) {
    if (!simplifiedDecode(f, &out)) state.SkipWithError("libpng refused the image");
    benchmark::DoNotOptimize(out.data());
  }
}

// Arguments: the image, and for ours whether to premultiply (what the tool
// does; the peer's figure compares with straight decoding).
void eachIcon(benchmark::internal::Benchmark* b) {
  for (int i : pngs()) b->Arg(i);
}
void eachIconBothWays(benchmark::internal::Benchmark* b) {
  for (int i : pngs()) b->Args({i, 0})->Args({i, 1});
}

BENCHMARK(BM_PngFile)->Apply(eachIconBothWays);
BENCHMARK(BM_SimplifiedApi)->Apply(eachIcon);

// Uncached: each iteration makes every named image as start-up does.
void BM_NamedImagesAtStartup(benchmark::State& state) {
  for (auto _ : state) {
    for (int i : pngs()) {
      auto [name, size] = logicalOf(res::files[i].name);
      gfxutil::NamedImagePixelBuffer pb(name.c_str(), size);
      if (pb.getWidth() == 0) state.SkipWithError("an image was not found");
    }
  }
}
BENCHMARK(BM_NamedImagesAtStartup)->Unit(benchmark::kMicrosecond);

void BM_SimplifiedApiAllImages(benchmark::State& state) {
  std::vector<unsigned char> out;
  for (auto _ : state)
    for (int i : pngs()) simplifiedDecode(res::files[i], &out);
}
BENCHMARK(BM_SimplifiedApiAllImages)->Unit(benchmark::kMicrosecond);

void BM_NamedImageCacheHit(benchmark::State& state) {
  for (int i : pngs()) {
    auto [name, size] = logicalOf(res::files[i].name);
    gfxutil::getNamedImagePb(name.c_str(), size);
  }
  for (auto _ : state) benchmark::DoNotOptimize(gfxutil::getNamedImagePb("entrydown", {0, 0}));
}
BENCHMARK(BM_NamedImageCacheHit);

void BM_MapLookup(benchmark::State& state) {
  std::map<std::string, int> names;
  for (int i : pngs()) names[logicalOf(res::files[i].name).first] = i;
  for (auto _ : state) benchmark::DoNotOptimize(names.find("entrydown"));
}
BENCHMARK(BM_MapLookup);

}  // namespace
