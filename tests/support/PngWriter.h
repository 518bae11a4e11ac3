// PNG files written with libpng's writer, for tests that need images of a
// given kind; the product itself never writes PNG files.
#pragma once

#include <vector>

namespace gwtest {

using Bytes = std::vector<unsigned char>;

// samples: every row as the file stores it, one after another. plte and
// trns, when given, become those chunks.
Bytes writePng(int width, int height, int colourType, int bitDepth, bool interlaced,
               const Bytes& samples, const Bytes& plte = {}, const Bytes& trns = {});

}  // namespace gwtest
