#include "lib2/fb/Composite.h"

#include <gtest/gtest.h>

using fb::ColourWithAlpha;
using fb::CompositeFn;

namespace {

struct Case {
  const char* name;
  CompositeFn fn;
  ColourWithAlpha src, dst, expected;
};

const Case kCases[] = {
    {"transparent over", fb::compositeOver, {0, 0, 0, 0}, {10, 20, 30, 40}, {10, 20, 30, 40}},
    {"opaque over", fb::compositeOver, {255, 0, 0, 255}, {0, 0, 255, 255}, {255, 0, 0, 255}},
    {"half over", fb::compositeOver, {64, 0, 0, 128}, {0, 0, 255, 255}, {64, 0, 127, 255}},
    // Not premultiplied (colour above alpha): clamped, so it cannot spill into
    // the next channel once packed.
    {"over clamps", fb::compositeOver, {255, 200, 0, 10}, {250, 100, 0, 255}, {255, 255, 0, 255}},
    {"copy", fb::srcCopy, {1, 2, 3, 4}, {9, 9, 9, 9}, {1, 2, 3, 4}},
    {"grey of white", fb::greyscale, {255, 255, 255, 7}, {0, 0, 0, 0}, {255, 255, 255, 7}},
    {"grey weights", fb::greyscale, {100, 0, 0, 255}, {0, 0, 0, 0}, {30, 30, 30, 255}},
    {"premultiply", fb::multiplyByAlpha, {255, 128, 1, 128}, {9, 9, 9, 9}, {128, 64, 1, 128}},
    {"unpremultiply", fb::divideByAlpha, {64, 32, 0, 128}, {9, 9, 9, 9}, {128, 64, 0, 128}},
    {"unpremultiply transparent", fb::divideByAlpha, {5, 5, 5, 0}, {9, 9, 9, 9}, {0, 0, 0, 0}},
    {"unpremultiply clamps", fb::divideByAlpha, {200, 10, 0, 100}, {0, 0, 0, 0}, {255, 26, 0, 100}},
};

}  // namespace

TEST(Composite, FunctionsGiveTheirResults) {
  for (const Case& c : kCases) {
    ColourWithAlpha dst = c.dst;
    c.fn(&c.src, &dst);
    EXPECT_EQ(dst, c.expected) << c.name << ": " << dst.r << "," << dst.g << "," << dst.b << ","
                               << dst.a;
  }
}
