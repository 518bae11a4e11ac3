// PNG decoding of arbitrary bytes: every input either decodes or fails with a
// PngException, never reads or writes out of bounds. Each image is decoded
// twice, straight and premultiplied, and every premultiplied pixel must be
// the straight one with its colours times alpha, rounded. Chunk checksums are
// put right first, or nearly every mutation would stop at the first CRC.
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "lib2/fb/ManagedPixelBuffer.h"
#include "lib2/gfxutil/PngFile.h"

namespace {

// Larger images are legal but would only measure the allocator.
constexpr long long maxPixels = 1 << 22;

std::unique_ptr<fb::ManagedPixelBuffer> decode(plat::CBuf<unsigned char> data, bool premultiply) {
  try {
    gfxutil::PngFile png(data, premultiply, "fuzz");
    plat::Point size = png.getSize();
    if (size.x <= 0 || size.y <= 0 || size.x > gfxutil::maxPngSide || size.y > gfxutil::maxPngSide)
      abort();
    if ((long long)size.x * size.y > maxPixels) return nullptr;
    auto pb = std::make_unique<fb::ManagedPixelBuffer>(png.getPf(), size, nullptr);
    png.loadImage(pb.get(), plat::Point(0, 0));
    return pb;
  } catch (gfxutil::PngException&) {
    return nullptr;
  }
}

unsigned premultiplied(unsigned c, unsigned a) { return (c * a + 127) / 255; }

uint32_t bigEndian32(const unsigned char* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

// Rewrites the CRC of every whole chunk after the signature.
void fixChecksums(std::vector<unsigned char>* png) {
  size_t pos = 8;
  while (pos + 12 <= png->size()) {
    uint32_t length = bigEndian32(png->data() + pos);
    if (length > png->size() - pos - 12) break;
    uint32_t crc = uint32_t(crc32(0, png->data() + pos + 4, length + 4));
    unsigned char* at = png->data() + pos + 8 + length;
    for (int i = 0; i < 4; i++) at[i] = uint8_t(crc >> (24 - 8 * i));
    pos += 12 + length;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  if (size > 1 << 20) return 0;
  std::vector<unsigned char> png(bytes, bytes + size);
  fixChecksums(&png);
  plat::CBuf<unsigned char> data{int(size), png.data()};
  std::unique_ptr<fb::ManagedPixelBuffer> straight = decode(data, false);
  if (!straight) return 0;
  std::unique_ptr<fb::ManagedPixelBuffer> multiplied = decode(data, true);
  if (!multiplied) abort();  // the same bytes decoded once already
  bool alpha = straight->getPf().alphaMax != 0;
  int w = straight->getWidth(), h = straight->getHeight(), stride = 0;
  const unsigned char* s = straight->getPixelsR(straight->getRect(), &stride);
  const unsigned char* m = multiplied->getPixelsR(multiplied->getRect(), nullptr);
  for (int y = 0; y < h; y++) {
    for (int x = 0; x < w; x++) {
      uint32_t p, q;
      memcpy(&p, s + (size_t(y) * stride + x) * 4, 4);
      memcpy(&q, m + (size_t(y) * stride + x) * 4, 4);
      unsigned a = alpha ? p >> 24 : 255;
      uint32_t want = p;
      if (alpha) {
        want = p & 0xff000000;
        for (int shift = 0; shift < 24; shift += 8)
          want |= premultiplied((p >> shift) & 255, a) << shift;
      }
      if (q != want) abort();
    }
  }
  return 0;
}
