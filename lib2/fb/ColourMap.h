// Colour maps: what a colour-mapped pixel value means. ColourMap is read-only;
// ColourMapRW can also be written, entry by entry. A map is "orthogonal" when
// its pixel values are the indices of a product of independent red, green and
// blue axes, so that a colour's pixel can be summed from one table per channel.
#pragma once

#include "lib2/fb/Colour.h"

namespace fb {

class ColourMap {
 public:
  virtual ~ColourMap();

  // Writes the colour of the entry for pixel into *out; an implementation may
  // leave *out as it was for a pixel it has no entry for.
  virtual void pixelToRgb888(unsigned pixel, Colour* out) const = 0;
  virtual int numColours() const = 0;
  // The pixel whose colour is nearest to c (squared distance in RGB); ties go
  // to the lowest index, and an empty map gives 0.
  virtual unsigned rgb888ToPixel(const Colour& c) const;
  virtual bool isOrthogonal() const { return false; }
};

class ColourMapRW : public ColourMap {
 public:
  virtual void setColour(int index, const Colour& c) = 0;
  // Every entry of other, stored at the same index.
  virtual void copyFrom(const ColourMap* other);
};

}  // namespace fb
