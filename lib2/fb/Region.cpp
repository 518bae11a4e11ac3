#include "lib2/fb/Region.h"

#include <cstdio>

#include "lib1/plat/Assert.h"
#include "lib1/plat/Exception.h"
#include "lib1/rdr/InStream.h"
#include "lib1/rdr/OutStream.h"
#include "lib2/fb/MiRegionOps.h"

namespace fb {

using namespace miRegion;

namespace {

// The count field of the stream form is 16 bits wide.
constexpr int64_t maxStreamRects = 65535;

long floorToGrid(long v, long grid) {
  return (v >= 0 ? v / grid : -((-v + grid - 1) / grid)) * grid;
}

[[noreturn]] void badData(const char* what) {
  throw plat::Exception(1, "Invalid region data: %s", what);
}

}  // namespace

Region::Region() : _Region{miEmptyBox, miEmptyData} {}

Region::Region(const Region& o) : Region() { miRegionCopy(this, &o); }

Region::Region(const RgnRect& r) : Region() { reset(r); }

Region::~Region() { freeBlock(this); }

Region& Region::operator=(const Region& o) {
  miRegionCopy(this, &o);
  return *this;
}

void Region::clear() {
  extents.x2 = extents.x1;
  extents.y2 = extents.y1;
  if (ownsBlock(this))
    data->numRects = 0;
  else
    data = miEmptyData;
}

void Region::reset(const RgnRect& r) {
  if (r.x1 >= r.x2 || r.y1 >= r.y2) {
    clear();
    return;
  }
  extents = r;
  freeBlock(this);
  data = nullptr;
}

void Region::translate(const plat::Point& p) { miTranslateRegion(this, p.x, p.y); }

void Region::assign_union(const Region& a, const Region& b) { miUnion(this, &a, &b); }

void Region::assign_intersect(const Region& a, const Region& b) { miIntersect(this, &a, &b); }

void Region::assign_subtract(const Region& a, const Region& b) { miSubtract(this, &a, &b); }

bool Region::equals(const Region& o) const { return miRegionEqual(this, &o); }

bool Region::contains(const plat::Point& p) const {
  return miPointInRegion(this, p.x, p.y, nullptr);
}

Region Region::gridExpand(int grid) const {
  Region result;
  if (isBroken(this)) {
    miRegionBreak(&result);
    return result;
  }
  if (grid <= 1) {
    result = *this;
    return result;
  }
  const _Box* b = rects(this);
  for (int64_t i = 0, n = numRects(this); i < n; i++) {
    Region widened(RgnRect(int(floorToGrid(b[i].x1, grid)), int(floorToGrid(b[i].y1, grid)),
                           int(floorToGrid(long(b[i].x2) + grid - 1, grid)),
                           int(floorToGrid(long(b[i].y2) + grid - 1, grid))));
    result.assign_union(result, widened);
  }
  return result;
}

void Region::setExtentsAndOrderedRects(const RgnRect* ext, int n, const RgnRect* rs) {
  if (n <= 0) {
    clear();
    return;
  }
  if (n == 1) {
    reset(*ext);
    return;
  }
  if (!ownsBlock(this) || data->size < n) {
    auto* block = static_cast<_RegData*>(miRealloc(nullptr, sizeof(_RegData) + n * sizeof(_Box)));
    if (!block) {
      fputs("failed to re-allocate data\n", stderr);
      miRegionBreak(this);
      return;
    }
    freeBlock(this);
    block->size = n;
    data = block;
  }
  extents = *ext;
  data->numRects = n;
  _Box* out = boxes(data);
  for (int i = 0; i < n; i++) out[i] = rs[i];
  PLAT_ASSERT(miBandsValid(extents, out, n));
}

void Region::unionOfRects(const std::vector<plat::Rect>& rs) {
  clear();
  for (const plat::Rect& r : rs) {
    Region one{RgnRect(r)};
    assign_union(*this, one);
  }
}

void Region::write(rdr::OutStream* os) const {
  int64_t n = numRects(this);
  if (n > maxStreamRects)
    throw plat::Exception(1, "Region of %lld rectangles is too large to write", (long long)n);
  os->writeU16(unsigned(n));
  os->writeS16(extents.x1);
  os->writeS16(extents.y1);
  os->writeS16(extents.x2);
  os->writeS16(extents.y2);
  if (n < 2) return;
  for (const _Box* b = rects(this); b != rects(this) + n; b++) {
    os->writeS16(b->x1);
    os->writeS16(b->y1);
    os->writeS16(b->x2);
    os->writeS16(b->y2);
  }
}

void Region::read(rdr::InStream* is) {
  if (readPos_ == -1) {
    int count = int(is->readU16());
    RgnRect e;
    e.x1 = int16_t(is->readS16());
    e.y1 = int16_t(is->readS16());
    e.x2 = int16_t(is->readS16());
    e.y2 = int16_t(is->readS16());
    is->checkpoint();
    if (count == 0) {
      if (e.x1 != e.x2 || e.y1 != e.y2) {
        clear();
        badData("an empty region with a non-empty bounding box");
      }
      clear();
      extents = e;
      return;
    }
    if (e.x1 >= e.x2 || e.y1 >= e.y2) {
      clear();
      badData("an empty bounding box");
    }
    if (count == 1) {
      reset(e);
      return;
    }
    if (!ownsBlock(this) || data->size < count) {
      auto* block =
          static_cast<_RegData*>(miRealloc(nullptr, sizeof(_RegData) + count * sizeof(_Box)));
      if (!block) throw plat::Exception("failed to allocate region buffer");
      freeBlock(this);
      block->size = count;
      data = block;
    }
    extents = e;
    data->numRects = 0;
    readCount_ = count;
    readPos_ = 0;
  }
  // Changing the region between the parts of a read breaks the read.
  PLAT_ASSERT(ownsBlock(this) && data->size >= readCount_ && data->numRects == readPos_);
  _Box* out = boxes(data);
  while (readPos_ < readCount_) {
    _Box b;
    b.x1 = int16_t(is->readS16());
    b.y1 = int16_t(is->readS16());
    b.x2 = int16_t(is->readS16());
    b.y2 = int16_t(is->readS16());
    out[readPos_++] = b;
    data->numRects = readPos_;
    is->checkpoint();
  }
  readPos_ = -1;
  if (!miBandsValid(extents, out, readCount_)) {
    clear();
    badData("rectangles out of band order or outside the bounding box");
  }
}

Region::ToString::ToString(const Region& r) {
  auto box = [this](const char* format, const _Box& b) {
    char text[48];
    snprintf(text, sizeof(text), "%d,%d to %d,%d", b.x1, b.y1, b.x2, b.y2);
    prf(format, text);
  };
  int64_t n = numRects(&r);
  prf("num rects %3d extents ", int(n));
  box("%s\n", r.extents);
  for (int64_t i = 0; i < n; i++) box("    rect %s\n", rects(&r)[i]);
}

}  // namespace fb
