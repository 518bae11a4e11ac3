// Colours as drawing calls, styles and colour maps pass them: 8 bits a channel
// held in ints, 0 to 255. ColourWithAlpha adds coverage (0 transparent, 255
// opaque) and is what per-pixel compositing works on; compositing treats its
// colour channels as already multiplied by alpha.
#pragma once

namespace fb {

struct Colour {
  int r = 0;
  int g = 0;
  int b = 0;

  friend bool operator==(const Colour&, const Colour&) = default;
};

struct ColourWithAlpha {
  int r = 0;
  int g = 0;
  int b = 0;
  int a = 0;

  friend bool operator==(const ColourWithAlpha&, const ColourWithAlpha&) = default;
};

}  // namespace fb
