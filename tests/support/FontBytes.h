// Packed bitmap fonts built in tests: the raw font bytes of a font whose
// records are all one value except those given, and the same bytes inside a
// gzip file, as fonts are embedded.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace gwtest {

struct GlyphRecord {
  uint32_t offset;
  uint16_t advance;
  int8_t xOffset, yOffset;
  uint8_t width, rows;
};

struct FontBytes {
  // Line height 15; pages lists the page bases after page 0; set gives
  // records by index into the whole record list.
  FontBytes(const std::vector<uint32_t>& pages, GlyphRecord fill,
            const std::vector<std::pair<int, GlyphRecord>>& set,
            const std::vector<uint8_t>& bitmaps) {
    u16(15);
    u16(unsigned(pages.size()));
    for (uint32_t p : pages) u32(p);
    for (int i = 0; i < int(pages.size() + 1) * 128; i++) {
      GlyphRecord r = fill;
      for (auto& [at, rec] : set)
        if (at == i) r = rec;
      u32(r.offset);
      u16(r.advance);
      bytes.push_back(uint8_t(r.xOffset));
      bytes.push_back(uint8_t(r.yOffset));
      bytes.push_back(r.width);
      bytes.push_back(r.rows);
    }
    bytes.insert(bytes.end(), bitmaps.begin(), bitmaps.end());
  }

  std::vector<uint8_t> gzipped() const {
    z_stream zs{};
    deflateInit2(&zs, 6, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
    std::vector<uint8_t> out(deflateBound(&zs, bytes.size()) + 32);
    zs.next_in = const_cast<uint8_t*>(bytes.data());
    zs.avail_in = unsigned(bytes.size());
    zs.next_out = out.data();
    zs.avail_out = unsigned(out.size());
    deflate(&zs, Z_FINISH);
    out.resize(zs.total_out);
    deflateEnd(&zs);
    return out;
  }

  std::vector<uint8_t> bytes;

 private:
  void u16(unsigned v) {
    bytes.push_back(uint8_t(v >> 8));
    bytes.push_back(uint8_t(v));
  }
  void u32(uint32_t v) {
    u16(v >> 16);
    u16(v & 0xffff);
  }
};

}  // namespace gwtest
