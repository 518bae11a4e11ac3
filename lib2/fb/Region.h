// fb::Region: a set of pixels with signed 16-bit coordinates, kept as
// banded rectangles (see lib2/fb/MiRegion.h for the band rules). Widgets
// report invalidated areas as regions, and the window that hosts them
// gathers its dirty area with union, cuts it to the window with
// intersection and repaints it rectangle by rectangle.
//
// Arithmetic that runs out of memory leaves the result empty and marked
// broken instead of throwing; a broken operand spreads to every result.
// Only stream reading throws.
#pragma once

#include <vector>

#include "lib1/plat/DString.h"
#include "lib1/plat/Geometry.h"
#include "lib1/rdr/Forward.h"
#include "lib2/fb/MiRegion.h"

namespace fb {

// A rectangle of a region: x1, y1 inclusive, x2, y2 exclusive. Each
// coordinate given is clamped into the 16-bit range on its own, so a
// plat::Rect converts without a cast.
struct RgnRect : miRegion::_Box {
  RgnRect() : miRegion::_Box{0, 0, 0, 0} {}
  RgnRect(int left, int top, int right, int bottom)
      : miRegion::_Box{miRegion::clamp16(left), miRegion::clamp16(top), miRegion::clamp16(right),
                       miRegion::clamp16(bottom)} {}
  RgnRect(const plat::Rect& r) : RgnRect(r.tl.x, r.tl.y, r.br.x, r.br.y) {}
  explicit RgnRect(const miRegion::_Box& b) : miRegion::_Box(b) {}

  bool operator==(const RgnRect& o) const {
    return x1 == o.x1 && y1 == o.y1 && x2 == o.x2 && y2 == o.y2;
  }
};

class Region : public miRegion::_Region {
 public:
  Region();
  Region(const Region& o);
  explicit Region(const RgnRect& r);
  ~Region();
  Region& operator=(const Region& o);

  // Keeps an owned block for reuse, so a region refilled over and over
  // does not allocate each time.
  void clear();
  // An empty rectangle clears.
  void reset(const RgnRect& r);
  void translate(const plat::Point& p);

  // This region becomes a op b; either may be this region itself.
  void assign_union(const Region& a, const Region& b);
  void assign_intersect(const Region& a, const Region& b);
  void assign_subtract(const Region& a, const Region& b);

  bool equals(const Region& o) const;
  bool contains(const plat::Point& p) const;
  // Every rectangle widened outwards to multiples of grid; a grid of 1 or
  // less gives a copy.
  Region gridExpand(int grid) const;

  // The rects are in band order with the given extents (a fatal assertion
  // otherwise); one rect is taken from the extents.
  void setExtentsAndOrderedRects(const RgnRect* extents, int n, const RgnRect* rects);
  void unionOfRects(const std::vector<plat::Rect>& rects);

  // Throws on a region of more rectangles than the count field holds.
  void write(rdr::OutStream* os) const;
  // Resumable: when the stream interrupts with an exception partway, the
  // next call carries on where this one stopped. Data that breaks the band
  // rules throws and leaves the region empty.
  void read(rdr::InStream* is);

  class ToString : public plat::DString {
   public:
    explicit ToString(const Region& r);
  };

 private:
  int readPos_ = -1;
  int readCount_ = 0;  // rectangles announced by the header being read
};

}  // namespace fb
