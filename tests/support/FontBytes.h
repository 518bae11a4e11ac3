// Packed bitmap fonts built in tests: line height 15, the given page bases
// after page 0, every glyph record `fill` except those `set` (by index into
// the whole record list), then the bitmaps; raw, or inside a gzip file as
// fonts are embedded.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace gwtest {

struct GlyphRecord {
  uint32_t offset, advance;
  int xOffset, yOffset, width, rows;
};

struct FontBytes {
  FontBytes(const std::vector<uint32_t>& pages, GlyphRecord fill,
            const std::vector<std::pair<int, GlyphRecord>>& set,
            const std::vector<uint8_t>& bitmaps) {
    put(15, 2);
    put(pages.size(), 2);
    for (uint32_t p : pages) put(p, 4);
    std::vector<GlyphRecord> records((pages.size() + 1) * 128, fill);
    for (auto& [at, r] : set) records[size_t(at)] = r;
    for (const GlyphRecord& r : records) {
      put(r.offset, 4), put(r.advance, 2), put(uint8_t(r.xOffset), 1), put(uint8_t(r.yOffset), 1);
      put(r.width, 1), put(r.rows, 1);
    }
    bytes.insert(bytes.end(), bitmaps.begin(), bitmaps.end());
  }
  void put(uint64_t v, int n) {
    while (n--) bytes.push_back(uint8_t(v >> (8 * n)));
  }
  // A gzip member around the deflate data of zlib's own wrapping; the
  // trailer is left out, as the loader never reads it.
  std::vector<uint8_t> gzipped() const {
    uLongf n = compressBound(uLong(bytes.size()));
    std::vector<uint8_t> z(n), out{0x1f, 0x8b, 8, 0, 0, 0, 0, 0, 0, 3};
    compress(z.data(), &n, bytes.data(), uLong(bytes.size()));
    out.insert(out.end(), z.begin() + 2, z.begin() + long(n) - 4);
    return out;
  }
  std::vector<uint8_t> bytes;
};

}  // namespace gwtest
