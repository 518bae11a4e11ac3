#include "lib2/fb/Draw.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "lib2/fb/PixelAccess.h"
#include "lib2/fb/RowKernels.h"

namespace fb {

namespace {

template <int N>
void fillRow(unsigned char* p, int width, unsigned pixel) {
  if constexpr (N == 8) {
    memset(p, int(pixel & 0xFF), size_t(width));
  } else if constexpr (N == 16) {
    fillRow16(p, uint16_t(pixel), size_t(width));
  } else if constexpr (N == 32) {
    fillRow32(p, pixel, size_t(width));
  } else {
    for (int i = 0; i < width; i++) writePixel<N>(&p, pixel);
  }
}

// Plots single pixels inside one clipped rectangle of a buffer, addressing
// them from the rectangle's first pixel.
class Plotter {
 public:
  Plotter(WritablePixelBuffer* pb, const plat::Rect& bounds)
      : clip_(clipRect(bounds, pb->getRect())), bpp_(pb->getPf().bpp) {
    if (!clip_.isEmpty()) base_ = pb->getPixelsRW(clip_, &stride_);
  }
  bool empty() const { return !base_; }
  void plot(int x, int y, unsigned pixel) const {
    if (!base_ || x < clip_.tl.x || y < clip_.tl.y || x >= clip_.br.x || y >= clip_.br.y) return;
    unsigned char* p =
        base_ + (ptrdiff_t(y - clip_.tl.y) * stride_ + (x - clip_.tl.x)) * (bpp_ / 8);
    withBpp(bpp_, [&](auto n) { writePixel<n>(&p, pixel); });
  }

 private:
  plat::Rect clip_;
  int bpp_;
  unsigned char* base_ = nullptr;
  int stride_ = 0;
};

// q of the gradient: diff x t / n, rounded half away from zero.
// 64 bits: the row index of a tall rectangle times a channel difference
// passes the range of an int.
int gradStep(int diff, int t, int n) {
  int64_t product = int64_t(diff) * t;
  return int((product >= 0 ? product + n / 2 : product - n / 2) / n);
}

void drawArcs(WritablePixelBuffer* pb, int left, int top, int right, int bottom, int rad,
              unsigned pixel) {
  const plat::Point tl(left + rad, top + rad), tr(right - rad, top + rad),
      br(right - rad, bottom - rad), bl(left + rad, bottom - rad);
  auto put = [&](const plat::Point& c, int dx, int dy) {
    drawPixel(pb, c + plat::Point(dx, dy), pixel);
  };
  int x = 0, y = rad, d = 1 - rad, ddx = 1, ddy = -2 * rad;
  while (x < y) {
    if (d >= 0) {
      ddy += 2;
      y -= 1;
      d += ddy;
    }
    ddx += 2;
    x += 1;
    d += ddx;
    put(tl, -x, -y), put(tl, -y, -x);
    put(tr, y, -x), put(tr, x, -y);
    put(br, y, x), put(br, x, y);
    put(bl, -y, x), put(bl, -x, y);
  }
}

}  // namespace

void fillRect(WritablePixelBuffer* pb, const plat::Rect& r, unsigned pixel) {
  plat::Rect clipped = clipRect(r, pb->getRect());
  if (clipped.isEmpty()) return;
  int stride = 0;
  unsigned char* p = pb->getPixelsRW(clipped, &stride);
  if (!p) return;
  withBpp(pb->getPf().bpp, [&](auto n) {
    ptrdiff_t step = ptrdiff_t(stride) * (n / 8);
    for (int y = 0; y < clipped.height(); y++, p += step) fillRow<n>(p, clipped.width(), pixel);
  });
}

void outlineRect(WritablePixelBuffer* pb, const plat::Rect& r, unsigned pixel, int w) {
  fillRect(pb, plat::Rect(r.tl.x, r.tl.y, r.br.x, r.tl.y + w), pixel);
  fillRect(pb, plat::Rect(r.tl.x, r.tl.y, r.tl.x + w, r.br.y), pixel);
  fillRect(pb, plat::Rect(r.tl.x, r.br.y - w, r.br.x, r.br.y), pixel);
  fillRect(pb, plat::Rect(r.br.x - w, r.tl.y, r.br.x, r.br.y), pixel);
}

void drawPixel(WritablePixelBuffer* pb, const plat::Point& p, unsigned pixel) {
  fillRect(pb, plat::Rect(p, p + plat::Point(1, 1)), pixel);
}

void drawLine(WritablePixelBuffer* pb, const plat::Point& a, const plat::Point& b, unsigned pixel) {
  plat::Rect bounds(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1,
                    std::max(a.y, b.y) + 1);
  Plotter plotter(pb, bounds);
  if (plotter.empty()) return;
  int dx = std::abs(b.x - a.x), dy = std::abs(b.y - a.y);
  int sx = b.x >= a.x ? 1 : -1, sy = b.y >= a.y ? 1 : -1;
  bool yMajor = dx < dy;
  int major = yMajor ? dy : dx, minor = yMajor ? dx : dy;
  int x = a.x, y = a.y;
  int decision = 2 * minor - major;
  // major + 1 points make the whole line; the last one, b, is left out.
  for (int i = 0; i < major; i++) {
    plotter.plot(x, y, pixel);
    bool diagonal = decision >= 0;
    decision += diagonal ? 2 * (minor - major) : 2 * minor;
    if (yMajor || diagonal) y += sy;
    if (!yMajor || diagonal) x += sx;
  }
}

void outlineRoundedRect(WritablePixelBuffer* pb, const plat::Rect& r, int radius, unsigned pixel) {
  if (r.isEmpty()) return;
  const int left = r.tl.x, top = r.tl.y, right = r.br.x - 1, bottom = r.br.y - 1;
  int rad = std::max(0, std::min({radius, r.height() / 2, r.width() / 2}));
  using plat::Point;
  if (rad == 0) {
    drawLine(pb, Point(left, top), Point(right, top), pixel);
    drawLine(pb, Point(right, top), Point(right, bottom), pixel);
    drawLine(pb, Point(right, bottom), Point(left, bottom), pixel);
    drawLine(pb, Point(left, bottom), Point(left, top), pixel);
  } else if (rad == 1) {
    drawLine(pb, Point(left + 1, top), Point(right - 1, top), pixel);
    drawLine(pb, Point(right, top + 1), Point(right, bottom - 1), pixel);
    drawLine(pb, Point(right - 1, bottom), Point(left + 1, bottom), pixel);
    drawLine(pb, Point(left, bottom - 1), Point(left, top + 1), pixel);
    // The pixel beside each corner that the straight sides leave out.
    drawLine(pb, Point(left, top + 1), Point(left + 1, top), pixel);
    drawLine(pb, Point(right - 1, top), Point(right, top + 1), pixel);
    drawLine(pb, Point(right, bottom - 1), Point(right - 1, bottom), pixel);
    drawLine(pb, Point(left + 1, bottom), Point(left, bottom - 1), pixel);
  } else {
    drawLine(pb, Point(left + rad, top), Point(right - rad + 1, top), pixel);
    drawLine(pb, Point(right, top + rad), Point(right, bottom - rad + 1), pixel);
    drawLine(pb, Point(right - rad, bottom), Point(left + rad - 1, bottom), pixel);
    drawLine(pb, Point(left, bottom - rad), Point(left, top + rad - 1), pixel);
    drawArcs(pb, left, top, right, bottom, rad, pixel);
  }
}

void verticalGradRect(WritablePixelBuffer* pb, const plat::Rect& r, const Colour& top,
                      const Colour& bottom) {
  plat::Rect clipped = clipRect(r, pb->getRect());
  if (clipped.isEmpty()) return;
  const PixelFormat& pf = pb->getPf();
  int n = r.height() - 1;
  for (int y = clipped.tl.y; y < clipped.br.y; y++) {
    int t = y - r.tl.y;
    ColourWithAlpha c{top.r, top.g, top.b, 0};
    if (n > 0) {
      c.r += gradStep(bottom.r - top.r, t, n);
      c.g += gradStep(bottom.g - top.g, t, n);
      c.b += gradStep(bottom.b - top.b, t, n);
    }
    fillRect(pb, plat::Rect(clipped.tl.x, y, clipped.br.x, y + 1),
             pf.rgba8ToPixel(c, pb->getColourMap()));
  }
}

void xorRect(WritablePixelBuffer* pb, const plat::Rect& r, unsigned pixel) {
  plat::Rect clipped = clipRect(r, pb->getRect());
  if (clipped.isEmpty()) return;
  int stride = 0;
  unsigned char* row = pb->getPixelsRW(clipped, &stride);
  if (!row) return;
  withBpp(pb->getPf().bpp, [&](auto n) {
    for (int y = 0; y < clipped.height(); y++, row += ptrdiff_t(stride) * (n / 8)) {
      unsigned char* p = row;
      for (int x = 0; x < clipped.width(); x++) {
        const unsigned char* q = p;
        writePixel<n>(&p, readPixel<n>(&q) ^ pixel);
      }
    }
  });
}

}  // namespace fb
