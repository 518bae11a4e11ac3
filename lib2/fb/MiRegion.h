// miRegion: the storage of a region and the operations on it that look at
// one region at a time. A region is a set of pixels held as non-overlapping
// rectangles in banded form, with signed 16-bit coordinates (x2, y2
// exclusive). Every operation keeps, and relies on, these band rules:
//  1. every rectangle has x1 < x2 and y1 < y2;
//  2. rectangles are sorted by y1, then x1;
//  3. rectangles with the same y1 form a band and share y2; bands do not
//     overlap;
//  4. inside a band, rectangles neither overlap nor touch;
//  5. two bands that touch vertically never have the same x-spans;
//  6. `extents` is the bounding box; an empty region has x2 = x1, y2 = y1.
//
// `data` null means the region is exactly `extents`. A block of size 0 is one
// of the two shared static blocks (empty, broken), never written or freed.
// Otherwise the region owns a malloc'd block. An operation that runs out of
// memory leaves its result broken (empty, marked by the broken block) and
// returns false; a broken operand gives a broken result.
#pragma once

#include <cstddef>
#include <cstdint>

namespace miRegion {

struct _Box {
  int16_t x1, y1, x2, y2;
};

struct _RegData {
  int64_t size;      // boxes allocated; 0 for the static blocks
  int64_t numRects;  // boxes in use
  // `size` boxes follow.
};

struct _Region {
  _Box extents;
  _RegData* data;
};

extern const _Box miEmptyBox;
extern _RegData* const miEmptyData;
extern _RegData* const miBrokenData;
extern const _Region miBrokenRegion;

// Every block is allocated, grown and shrunk through this (realloc by
// default), so that a test can make an allocation fail.
using ReallocFn = void* (*)(void*, size_t);
extern ReallocFn miRealloc;

inline int16_t clamp16(long v) {
  return int16_t(v < INT16_MIN ? INT16_MIN : v > INT16_MAX ? INT16_MAX : v);
}
inline bool ownsBlock(const _Region* r) { return r->data && r->data->size > 0; }
inline bool isBroken(const _Region* r) { return r->data == miBrokenData; }
inline _Box* boxes(_RegData* d) { return reinterpret_cast<_Box*>(d + 1); }
inline int64_t numRects(const _Region* r) { return r->data ? r->data->numRects : 1; }
inline const _Box* rects(const _Region* r) {
  return r->data ? reinterpret_cast<const _Box*>(r->data + 1) : &r->extents;
}
// Frees an owned block; the caller sets `data` afterwards.
void freeBlock(_Region* r);

bool miRegionCopy(_Region* dst, const _Region* src);
// Always returns false.
bool miRegionBreak(_Region* r);
// Room for n more rectangles beyond those in use.
bool miRectAlloc(_Region* r, int64_t n);
// Room for at least `need` rectangles beyond those in use, growing as
// appending one at a time would: doubling up to 500, then 250 at a time.
bool miRectReserve(_Region* r, int64_t need);
void miSetExtents(_Region* r);
bool miTranslateRegion(_Region* r, int dx, int dy);
// On a hit, *box (when not null) receives the rectangle that holds the point.
bool miPointInRegion(const _Region* r, int x, int y, _Box* box);
bool miRegionEqual(const _Region* a, const _Region* b);

enum RectIn { rgnOUT = 0, rgnIN = 1, rgnPART = 2 };
RectIn miRectIn(const _Region* r, const _Box* box);

// Whether n rectangles from a and from b have the same x-spans, in order.
inline bool miSameSpans(const _Box* a, const _Box* b, int64_t n) {
  for (int64_t i = 0; i < n; i++)
    if (a[i].x1 != b[i].x1 || a[i].x2 != b[i].x2) return false;
  return true;
}

// Keeps rule 5 as bands are written one after another into b: the band just
// written at [start, end) is merged into the band that begins at *prevBand
// (-1: none yet) when the two touch and have the same spans. Returns the new
// end of the rectangles in use: start after a merge, else end, with *prevBand
// then moved to start. An empty band changes nothing. Inline because the set
// operations call it once per band they write.
inline int64_t miCoalesceBand(_Box* b, int64_t* prevBand, int64_t start, int64_t end) {
  int64_t len = end - start, prev = *prevBand;
  if (len == 0) return end;
  if (prev >= 0 && start - prev == len && b[prev].y2 == b[start].y1 &&
      miSameSpans(b + prev, b + start, len)) {
    for (int64_t k = prev; k < start; k++) b[k].y2 = b[start].y2;
    return start;
  }
  *prevBand = start;
  return end;
}

// Rectangles as x1, y1, x2, y2 ints each, already in band order.
bool miResetFromRects(_Region* r, int n, const int* rects);

// True when the n boxes keep band rules 1-5 and `extents` is their bounding
// box (or, for n = 0, empty).
bool miBandsValid(const _Box& extents, const _Box* b, int64_t n);

}  // namespace miRegion
