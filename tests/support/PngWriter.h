// PNG files written with libpng's writer, for tests, fuzz seeds and
// benchmarks that need images of a given kind. The product itself never
// writes PNG files.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "lib1/plat/Buffers.h"

namespace gwtest {

struct PngKind {
  int colourType;  // PNG_COLOR_TYPE_*
  int bitDepth = 8;
  bool interlaced = false;
  bool trns = false;  // palette: alpha values in a tRNS chunk
};

// Pixels come as 0xAARRGGBB; grey types take the red byte. A palette holds
// the distinct colours in order of first use (at most 256).
std::vector<unsigned char> writePng(int width, int height, const PngKind& kind,
                                    const std::function<uint32_t(int x, int y)>& argb);

// The same bytes, kept until the process ends: the resource registry
// borrows what it is given.
plat::CBuf<unsigned char> keptPng(int width, int height, const PngKind& kind,
                                  const std::function<uint32_t(int x, int y)>& argb);

}  // namespace gwtest
