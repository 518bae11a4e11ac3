#include "lib2/fb/Composite.h"

#include <gtest/gtest.h>

TEST(Composite, FunctionsGiveTheirResults) {
  const struct {
    fb::CompositeFn fn;
    fb::ColourWithAlpha src, dst, expected;
  } cases[] = {
      {fb::compositeOver, {64, 0, 0, 128}, {0, 0, 255, 255}, {64, 0, 127, 255}},
      // Colour above alpha is clamped, so it cannot spill into the next channel.
      {fb::compositeOver, {255, 200, 0, 10}, {250, 100, 0, 255}, {255, 255, 0, 255}},
      {fb::greyscale, {100, 0, 0, 255}, {0, 0, 0, 0}, {30, 30, 30, 255}},
      {fb::multiplyByAlpha, {255, 128, 1, 128}, {9, 9, 9, 9}, {128, 64, 1, 128}},
      {fb::divideByAlpha, {5, 5, 5, 0}, {9, 9, 9, 9}, {0, 0, 0, 0}},
      {fb::divideByAlpha, {200, 10, 0, 100}, {0, 0, 0, 0}, {255, 26, 0, 100}},
  };
  for (const auto& c : cases) {
    fb::ColourWithAlpha dst = c.dst;
    c.fn(&c.src, &dst);
    EXPECT_EQ(dst, c.expected) << &c - cases;
  }
}
