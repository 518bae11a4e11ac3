#include "lib2/fb/RegionIterator.h"

#include "lib1/plat/Assert.h"

namespace fb {

RegionIterator::RegionIterator(const Region& region, int xdir, int ydir)
    : rects_(miRegion::rects(&region)),
      count_(miRegion::numRects(&region)),
      xdir_(xdir),
      ydir_(ydir) {
  PLAT_ASSERT((xdir == 1 || xdir == -1) && (ydir == 1 || ydir == -1));
  if (count_ > 0) enterBand(ydir_ > 0 ? 0 : count_ - 1);
}

// Finds the band that holds rectangle i and starts at the end xdir asks for.
void RegionIterator::enterBand(int64_t i) {
  bandStart_ = bandEnd_ = i;
  while (bandStart_ > 0 && rects_[bandStart_ - 1].y1 == rects_[i].y1) bandStart_--;
  while (bandEnd_ < count_ && rects_[bandEnd_].y1 == rects_[i].y1) bandEnd_++;
  pos_ = xdir_ > 0 ? bandStart_ : bandEnd_ - 1;
  left_ = bandEnd_ - bandStart_;
}

bool RegionIterator::next(RgnRect* r) {
  if (left_ == 0) {
    int64_t following = ydir_ > 0 ? bandEnd_ : bandStart_ - 1;
    if (following < 0 || following >= count_) return false;
    enterBand(following);
  }
  *r = RgnRect(rects_[pos_]);
  pos_ += xdir_;
  left_--;
  return true;
}

}  // namespace fb
