// Small pixel buffers drawn as text, so that tests of drawing can state the
// expected picture pixel by pixel: one string per row, '.' for a zero pixel,
// '#' for a nonzero one.
#pragma once

#include <string>
#include <vector>

#include "lib2/fb/FullFramePixelBuffer.h"

namespace gwtest {

inline std::vector<std::string> picture(const fb::FullFramePixelBuffer& pb) {
  std::vector<std::string> rows;
  plat::Rect r = pb.getRect();
  for (int y = r.tl.y; y < r.br.y; y++) {
    std::string row;
    for (int x = r.tl.x; x < r.br.x; x++) row += pb.getPixelAt(plat::Point(x, y)) ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

inline int countSet(const fb::FullFramePixelBuffer& pb) {
  int n = 0;
  for (const std::string& row : picture(pb))
    for (char c : row) n += c == '#';
  return n;
}

}  // namespace gwtest
