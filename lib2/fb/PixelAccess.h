// What the drawing, blitting and translation loops share: clipping a target
// rectangle to a buffer, and storing one raw pixel of a given width (the
// counterpart of readPixel). Raw pixels are host order at 16 and 32 bits and
// least significant byte first at 24 bits.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "lib1/plat/Geometry.h"

namespace fb {

// The part of r inside bounds: the larger top-left and the smaller
// bottom-right, the top-left lowered to the bottom-right where it passes it,
// so that the result is empty but never inverted.
inline plat::Rect clipRect(const plat::Rect& r, const plat::Rect& bounds) {
  plat::Point br(std::min(r.br.x, bounds.br.x), std::min(r.br.y, bounds.br.y));
  plat::Point tl(std::min(std::max(r.tl.x, bounds.tl.x), br.x),
                 std::min(std::max(r.tl.y, bounds.tl.y), br.y));
  return plat::Rect(tl, br);
}

// Stores the low N bits of pixel at *p, which moves on by N / 8 bytes.
template <int N>
inline void writePixel(unsigned char** p, unsigned pixel) {
  static_assert(N == 8 || N == 16 || N == 24 || N == 32, "pixels are 8, 16, 24 or 32 bits");
  unsigned char* q = *p;
  *p += N / 8;
  if constexpr (N == 8) {
    q[0] = uint8_t(pixel);
  } else if constexpr (N == 16) {
    uint16_t v = uint16_t(pixel);
    memcpy(q, &v, 2);
  } else if constexpr (N == 24) {
    q[0] = uint8_t(pixel);
    q[1] = uint8_t(pixel >> 8);
    q[2] = uint8_t(pixel >> 16);
  } else {
    uint32_t v = pixel;
    memcpy(q, &v, 4);
  }
}

// Calls f with std::integral_constant<int, bpp> for bpp 8, 16, 24 or 32, so
// that loops are compiled once per width; any other width does nothing.
template <typename F>
inline void withBpp(int bpp, F&& f) {
  switch (bpp) {
    case 8:
      f(std::integral_constant<int, 8>());
      break;
    case 16:
      f(std::integral_constant<int, 16>());
      break;
    case 24:
      f(std::integral_constant<int, 24>());
      break;
    case 32:
      f(std::integral_constant<int, 32>());
      break;
    default:
      break;
  }
}

}  // namespace fb
