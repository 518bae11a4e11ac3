// A colour map laid out as a cube of nRed x nGreen x nBlue evenly spaced
// levels, red-major: the cell of levels (ri, gi, bi) is number
// (ri x nGreen + gi) x nBlue + bi. Each cell holds the pixel value that shows
// its colour; a new cube holds the identity (cell i holds pixel i), and a
// display with a colour map of its own overwrites cells with the pixels it
// allocated.
//
// Invariants: every axis has at least two levels (the level spacing divides by
// levels - 1), and isOrthogonal() is true exactly while every cell holds its
// own index, which is what lets a translator add one table per channel to find
// a pixel.
#pragma once

#include <memory>

#include "lib2/fb/ColourMap.h"

namespace fb {

class ColourCube : public ColourMap {
 public:
  ColourCube(int nRed, int nGreen, int nBlue);
  ~ColourCube() override;
  ColourCube(const ColourCube&) = delete;
  ColourCube& operator=(const ColourCube&) = delete;

  void pixelToRgb888(unsigned pixel, Colour* out) const override;
  int numColours() const override { return nRed_ * nGreen_ * nBlue_; }
  unsigned rgb888ToPixel(const Colour& c) const override;
  bool isOrthogonal() const override { return nonIdentityCells_ == 0; }

  // The pixel value of cell index; index must be below numColours().
  unsigned getEntry(int index) const;
  void setEntry(int index, unsigned pixel);

 private:
  // The cell showing pixel, or -1 when no cell does.
  int cellOf(unsigned pixel) const;

  int nRed_;
  int nGreen_;
  int nBlue_;
  std::unique_ptr<unsigned[]> table_;
  int nonIdentityCells_ = 0;  // cells whose pixel is not their own index
};

}  // namespace fb
