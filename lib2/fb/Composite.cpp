#include "lib2/fb/Composite.h"

#include <algorithm>

namespace fb {

namespace {

int clampChannel(int c) { return std::clamp(c, 0, 255); }

int over(int srcAlpha, int srcChannel, int dstChannel) {
  return clampChannel(((255 - srcAlpha) * dstChannel + 127) / 255 + srcChannel);
}

int divide(int channel, int alpha) {
  return alpha == 0 ? 0 : clampChannel((channel * 255 + alpha / 2) / alpha);
}

}  // namespace

void srcCopy(const ColourWithAlpha* src, ColourWithAlpha* dst) { *dst = *src; }

void compositeOver(const ColourWithAlpha* src, ColourWithAlpha* dst) {
  int a = clampChannel(src->a);
  dst->r = over(a, src->r, dst->r);
  dst->g = over(a, src->g, dst->g);
  dst->b = over(a, src->b, dst->b);
  dst->a = over(a, a, dst->a);
}

void greyscale(const ColourWithAlpha* src, ColourWithAlpha* dst) {
  int y = (19661 * src->r + 38666 * src->g + 7209 * src->b) >> 16;
  *dst = ColourWithAlpha{y, y, y, src->a};
}

void multiplyByAlpha(const ColourWithAlpha* src, ColourWithAlpha* dst) {
  int a = src->a;
  *dst = ColourWithAlpha{(a * src->r + 127) / 255, (a * src->g + 127) / 255,
                         (a * src->b + 127) / 255, a};
}

void divideByAlpha(const ColourWithAlpha* src, ColourWithAlpha* dst) {
  int a = src->a;
  *dst = ColourWithAlpha{divide(src->r, a), divide(src->g, a), divide(src->b, a), a};
}

}  // namespace fb
