// fb::RegionIterator: visits the rectangles of a region band by band. The
// y direction picks the order of the bands (+1 top to bottom, -1 bottom to
// top) and the x direction the order inside a band, so that a copy within
// one surface can run in the order that does not overwrite its own source.
// The region must not change while it is being visited.
#pragma once

#include <cstdint>

#include "lib2/fb/Region.h"

namespace fb {

class RegionIterator {
 public:
  explicit RegionIterator(const Region& region, int xdir = 1, int ydir = 1);

  // The next rectangle into *r; false when all have been visited.
  bool next(RgnRect* r);

 private:
  void enterBand(int64_t start);

  const miRegion::_Box* rects_;
  int64_t count_;
  int xdir_;
  int ydir_;
  int64_t bandStart_ = 0;  // the current band is [bandStart_, bandEnd_)
  int64_t bandEnd_ = 0;
  int64_t pos_ = 0;   // next in the band
  int64_t left_ = 0;  // rectangles not visited yet in the band
};

}  // namespace fb
