#include "tests/support/PngWriter.h"

#include <png.h>

namespace gwtest {

Bytes writePng(int width, int height, int colourType, int bitDepth, bool interlaced,
               const Bytes& samples, const Bytes& plte, const Bytes& trns) {
  Bytes out;
  png_structp pp = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop ip = png_create_info_struct(pp);
  png_set_write_fn(
      pp, &out,
      [](png_structp p, png_bytep data, size_t n) {
        auto* to = static_cast<Bytes*>(png_get_io_ptr(p));
        to->insert(to->end(), data, data + n);
      },
      nullptr);
  png_set_IHDR(pp, ip, width, height, bitDepth, colourType, interlaced, 0, 0);
  if (!plte.empty()) png_set_PLTE(pp, ip, (png_const_colorp)plte.data(), int(plte.size() / 3));
  if (!trns.empty()) png_set_tRNS(pp, ip, trns.data(), int(trns.size()), nullptr);
  std::vector<png_bytep> rows;
  for (int y = 0; y < height; y++)
    rows.push_back(const_cast<png_bytep>(samples.data()) + samples.size() / height * y);
  png_set_rows(pp, ip, rows.data());
  png_write_png(pp, ip, PNG_TRANSFORM_IDENTITY, nullptr);
  png_destroy_write_struct(&pp, &ip);
  return out;
}

}  // namespace gwtest
