// Small pixel buffers drawn as text, so that tests of drawing can state the
// expected picture pixel by pixel: one string per row, '.' for a zero pixel,
// '#' for a nonzero one. Also a filler and a reader of whole buffers.
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

// Sets every pixel p of pb to value(p.x, p.y).
template <class Value>
void paint(fb::FullFramePixelBuffer* pb, Value value) {
  plat::Rect r = pb->getRect();
  for (int y = r.tl.y; y < r.br.y; y++)
    for (int x = r.tl.x; x < r.br.x; x++) pb->setPixelAt(plat::Point(x, y), unsigned(value(x, y)));
}

// Every pixel value, row by row.
inline std::vector<unsigned> pixels(const fb::FullFramePixelBuffer& pb) {
  std::vector<unsigned> v;
  plat::Rect r = pb.getRect();
  for (int y = r.tl.y; y < r.br.y; y++)
    for (int x = r.tl.x; x < r.br.x; x++) v.push_back(pb.getPixelAt(plat::Point(x, y)));
  return v;
}

}  // namespace gwtest
