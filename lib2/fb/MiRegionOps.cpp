#include "lib2/fb/MiRegionOps.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace miRegion {

namespace {

// Writes the result's rectangles band by band, merging each new band into
// the one above when they touch and have the same spans.
class Builder {
 public:
  explicit Builder(_Region* r) : r_(r) {}

  // Room for `need` more rectangles; the block may move.
  bool reserve(int64_t need) {
    if (out_ && r_->data->size - n_ >= need) return true;
    r_->data->numRects = n_;
    if (!miRectReserve(r_, need)) return false;
    out_ = boxes(r_->data);
    return true;
  }
  int64_t count() const { return n_; }
  void emit(int x1, int y1, int x2, int y2) {
    out_[n_++] = {int16_t(x1), int16_t(y1), int16_t(x2), int16_t(y2)};
  }
  void appendSlice(const _Box* b, const _Box* end, int y1, int y2) {
    for (; b != end; b++) emit(b->x1, y1, b->x2, y2);
  }
  void appendBoxes(const _Box* b, const _Box* end) {
    memcpy(out_ + n_, b, size_t(end - b) * sizeof(_Box));
    n_ += end - b;
  }
  // After a band was appended from index start on.
  void coalesce(int64_t start) { n_ = miCoalesceBand(out_, &prevBand_, start, n_); }
  void finish() {
    r_->data->numRects = n_;
    if (n_ == 0) {
      freeBlock(r_);
      r_->data = miEmptyData;
    } else if (n_ == 1) {
      r_->extents = out_[0];
      freeBlock(r_);
      r_->data = nullptr;
    } else if (r_->data->size > 50 && n_ < r_->data->size / 2) {
      auto* block =
          static_cast<_RegData*>(miRealloc(r_->data, sizeof(_RegData) + size_t(n_) * sizeof(_Box)));
      // A failed shrink keeps the larger block, which is still sound.
      if (block) {
        block->size = n_;
        r_->data = block;
      }
    }
  }

 private:
  _Region* r_;
  _Box* out_ = nullptr;
  int64_t n_ = 0;
  int64_t prevBand_ = -1;
};

const _Box* bandEnd(const _Box* b, const _Box* end) {
  const _Box* e = b + 1;
  while (e != end && e->y1 == b->y1) e++;
  return e;
}

void unionBands(Builder& o, const _Box* a, const _Box* aEnd, const _Box* b, const _Box* bEnd,
                int y1, int y2) {
  const _Box* next = a->x1 < b->x1 ? a++ : b++;
  int x1 = next->x1, x2 = next->x2;
  while (a != aEnd || b != bEnd) {
    next = (b == bEnd || (a != aEnd && a->x1 < b->x1)) ? a++ : b++;
    if (next->x1 <= x2) {
      x2 = std::max<int>(x2, next->x2);
    } else {
      o.emit(x1, y1, x2, y2);
      x1 = next->x1;
      x2 = next->x2;
    }
  }
  o.emit(x1, y1, x2, y2);
}

void intersectBands(Builder& o, const _Box* a, const _Box* aEnd, const _Box* b, const _Box* bEnd,
                    int y1, int y2) {
  while (a != aEnd && b != bEnd) {
    int x1 = std::max(a->x1, b->x1), x2 = std::min(a->x2, b->x2);
    if (x1 < x2) o.emit(x1, y1, x2, y2);
    if (a->x2 == x2) a++;
    if (b->x2 == x2) b++;
  }
}

void subtractBands(Builder& o, const _Box* a, const _Box* aEnd, const _Box* b, const _Box* bEnd,
                   int y1, int y2) {
  int edge = a->x1;
  auto nextA = [&] {
    if (++a != aEnd) edge = a->x1;
  };
  while (a != aEnd && b != bEnd) {
    if (b->x2 <= edge) {
      b++;
    } else if (b->x1 < a->x2) {
      // b cuts into a at or right of the edge: keep what lies before it.
      if (b->x1 > edge) o.emit(edge, y1, b->x1, y2);
      edge = b->x2;
      if (edge >= a->x2)
        nextA();
      else
        b++;
    } else {
      o.emit(edge, y1, a->x2, y2);
      nextA();
    }
  }
  while (a != aEnd) {
    o.emit(edge, y1, a->x2, y2);
    nextA();
  }
}

using Overlap = void (*)(Builder&, const _Box*, const _Box*, const _Box*, const _Box*, int, int);

template <Overlap overlap>
bool combineBands(_Region* r, const _Region* ra, const _Region* rb, bool keepA, bool keepB) {
  if (isBroken(ra) || isBroken(rb)) return miRegionBreak(r);
  const _Box* a = rects(ra);
  const _Box* aEnd = a + numRects(ra);
  const _Box* b = rects(rb);
  const _Box* bEnd = b + numRects(rb);
  // When the result is an operand, its rectangles are read while the new
  // ones are written: keep the old block until the end.
  std::unique_ptr<_RegData, decltype(&free)> setAside(nullptr, &free);
  if (ownsBlock(r) && (r == ra || r == rb)) {
    setAside.reset(r->data);
    r->data = miEmptyData;
  } else if (ownsBlock(r)) {
    r->data->numRects = 0;
  } else {
    r->data = miEmptyData;
  }
  Builder o(r);
  if (!o.reserve(2 * std::max(aEnd - a, bEnd - b))) return false;

  int ybot = std::min(a->y1, b->y1);
  const _Box* aBand = bandEnd(a, aEnd);
  const _Box* bBand = bandEnd(b, bEnd);
  while (a != aEnd && b != bEnd) {
    int ytop = a->y1;
    if (a->y1 < b->y1) {
      int top = std::max<int>(a->y1, ybot), bot = std::min(a->y2, b->y1);
      if (keepA && top < bot) {
        if (!o.reserve(aBand - a)) return false;
        int64_t start = o.count();
        o.appendSlice(a, aBand, top, bot);
        o.coalesce(start);
      }
      ytop = b->y1;
    } else if (b->y1 < a->y1) {
      int top = std::max<int>(b->y1, ybot), bot = std::min(b->y2, a->y1);
      if (keepB && top < bot) {
        if (!o.reserve(bBand - b)) return false;
        int64_t start = o.count();
        o.appendSlice(b, bBand, top, bot);
        o.coalesce(start);
      }
    }
    ybot = std::min(a->y2, b->y2);
    if (ybot > ytop) {
      if (!o.reserve((aBand - a) + (bBand - b))) return false;
      int64_t start = o.count();
      overlap(o, a, aBand, b, bBand, ytop, ybot);
      o.coalesce(start);
    }
    if (a->y2 == ybot) {
      a = aBand;
      if (a != aEnd) aBand = bandEnd(a, aEnd);
    }
    if (b->y2 == ybot) {
      b = bBand;
      if (b != bEnd) bBand = bandEnd(b, bEnd);
    }
  }

  auto keepRest = [&](const _Box* p, const _Box* end) {
    if (p == end) return true;
    const _Box* band = bandEnd(p, end);
    int top = std::max<int>(p->y1, ybot);
    if (!o.reserve(end - p)) return false;
    if (top < p->y2) {
      int64_t start = o.count();
      o.appendSlice(p, band, top, p->y2);
      o.coalesce(start);
    }
    // Later bands of a sound operand never match the band before them.
    o.appendBoxes(band, end);
    return true;
  };
  if (keepA && !keepRest(a, aEnd)) return false;
  if (keepB && !keepRest(b, bEnd)) return false;
  setAside.reset();
  o.finish();
  return true;
}

bool contains(const _Box& outer, const _Box& inner) {
  return outer.x1 <= inner.x1 && outer.y1 <= inner.y1 && outer.x2 >= inner.x2 &&
         outer.y2 >= inner.y2;
}

bool overlaps(const _Box& a, const _Box& b) {
  return a.x1 < b.x2 && b.x1 < a.x2 && a.y1 < b.y2 && b.y1 < a.y2;
}

void makeEmpty(_Region* r) {
  freeBlock(r);
  r->extents.x2 = r->extents.x1;
  r->extents.y2 = r->extents.y1;
  r->data = miEmptyData;
}

}  // namespace

bool miUnion(_Region* r, const _Region* a, const _Region* b) {
  if (a == b) return miRegionCopy(r, a);
  if (numRects(a) == 0) return isBroken(a) ? miRegionBreak(r) : miRegionCopy(r, b);
  if (numRects(b) == 0) return isBroken(b) ? miRegionBreak(r) : miRegionCopy(r, a);
  if (!a->data && contains(a->extents, b->extents)) return miRegionCopy(r, a);
  if (!b->data && contains(b->extents, a->extents)) return miRegionCopy(r, b);
  _Box bbox = {std::min(a->extents.x1, b->extents.x1), std::min(a->extents.y1, b->extents.y1),
               std::max(a->extents.x2, b->extents.x2), std::max(a->extents.y2, b->extents.y2)};
  if (!combineBands<unionBands>(r, a, b, true, true)) return false;
  r->extents = bbox;
  return true;
}

bool miIntersect(_Region* r, const _Region* a, const _Region* b) {
  if (numRects(a) == 0 || numRects(b) == 0 || !overlaps(a->extents, b->extents)) {
    if (isBroken(a) || isBroken(b)) return miRegionBreak(r);
    makeEmpty(r);
    return true;
  }
  if (!a->data && !b->data) {
    _Box box = {std::max(a->extents.x1, b->extents.x1), std::max(a->extents.y1, b->extents.y1),
                std::min(a->extents.x2, b->extents.x2), std::min(a->extents.y2, b->extents.y2)};
    freeBlock(r);
    r->extents = box;
    r->data = nullptr;
    return true;
  }
  if (!b->data && contains(b->extents, a->extents)) return miRegionCopy(r, a);
  if (!a->data && contains(a->extents, b->extents)) return miRegionCopy(r, b);
  if (a == b) return miRegionCopy(r, a);
  if (!combineBands<intersectBands>(r, a, b, false, false)) return false;
  miSetExtents(r);
  return true;
}

bool miSubtract(_Region* r, const _Region* a, const _Region* b) {
  if (numRects(a) == 0 || numRects(b) == 0 || !overlaps(a->extents, b->extents))
    return isBroken(b) ? miRegionBreak(r) : miRegionCopy(r, a);
  if (a == b) {
    makeEmpty(r);
    return true;
  }
  if (!combineBands<subtractBands>(r, a, b, true, false)) return false;
  miSetExtents(r);
  return true;
}

}  // namespace miRegion
