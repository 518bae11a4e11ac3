#include "tests/support/PngWriter.h"

#include <png.h>

#include <list>
#include <map>
#include <stdexcept>

namespace gwtest {

namespace {

void append(png_structp pp, png_bytep data, size_t n) {
  auto* out = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(pp));
  out->insert(out->end(), data, data + n);
}

void put(std::vector<unsigned char>& row, unsigned v, int depth) {
  if (depth == 16) row.push_back(uint8_t(v));
  row.push_back(uint8_t(v));
}

}  // namespace

std::vector<unsigned char> writePng(int width, int height, const PngKind& kind,
                                    const std::function<uint32_t(int x, int y)>& argb) {
  std::vector<unsigned char> out;
  png_structp pp = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop ip = png_create_info_struct(pp);
  if (setjmp(png_jmpbuf(pp))) {
    png_destroy_write_struct(&pp, &ip);
    throw std::runtime_error("writing a PNG failed");
  }
  png_set_write_fn(pp, &out, append, nullptr);
  png_set_IHDR(pp, ip, width, height, kind.bitDepth, kind.colourType,
               kind.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  std::vector<std::vector<unsigned char>> rows(height);
  std::map<uint32_t, int> index;
  std::vector<png_color> palette;
  std::vector<png_byte> alphas;
  for (int y = 0; y < height; y++) {
    for (int x = 0; x < width; x++) {
      uint32_t p = argb(x, y);
      unsigned a = p >> 24, r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
      std::vector<unsigned char>& row = rows[y];
      switch (kind.colourType) {
        case PNG_COLOR_TYPE_PALETTE:
          if (!index.count(p)) {
            index[p] = int(palette.size());
            palette.push_back(png_color{png_byte(r), png_byte(g), png_byte(b)});
            alphas.push_back(png_byte(a));
          }
          row.push_back(uint8_t(index[p]));
          break;
        case PNG_COLOR_TYPE_GRAY_ALPHA:
          put(row, r, kind.bitDepth), put(row, a, kind.bitDepth);
          break;
        case PNG_COLOR_TYPE_GRAY:
          put(row, r, kind.bitDepth);
          break;
        default:
          put(row, r, kind.bitDepth), put(row, g, kind.bitDepth), put(row, b, kind.bitDepth);
          if (kind.colourType == PNG_COLOR_TYPE_RGB_ALPHA) put(row, a, kind.bitDepth);
      }
    }
  }
  if (kind.colourType == PNG_COLOR_TYPE_PALETTE) {
    png_set_PLTE(pp, ip, palette.data(), int(palette.size()));
    if (kind.trns) png_set_tRNS(pp, ip, alphas.data(), int(alphas.size()), nullptr);
  }
  std::vector<png_bytep> pointers;
  for (auto& row : rows) pointers.push_back(row.data());
  png_set_rows(pp, ip, pointers.data());
  png_write_png(pp, ip, PNG_TRANSFORM_IDENTITY, nullptr);
  png_destroy_write_struct(&pp, &ip);
  return out;
}

plat::CBuf<unsigned char> keptPng(int width, int height, const PngKind& kind,
                                  const std::function<uint32_t(int x, int y)>& argb) {
  static std::list<std::vector<unsigned char>> kept;
  kept.push_back(writePng(width, height, kind, argb));
  return {int(kept.back().size()), kept.back().data()};
}

}  // namespace gwtest
