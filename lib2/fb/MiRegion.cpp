#include "lib2/fb/MiRegion.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "lib1/plat/Assert.h"

namespace miRegion {

namespace {

_RegData emptyBlock = {0, 0};
_RegData brokenBlock = {0, 0};

size_t blockBytes(int64_t n) { return sizeof(_RegData) + size_t(n) * sizeof(_Box); }

bool outside16(long x1, long y1, long x2, long y2) {
  // x2 and y2 are exclusive: a rectangle that ends at the lowest coordinate,
  // or starts at the highest, has nothing left once clamped.
  return x2 <= INT16_MIN || y2 <= INT16_MIN || x1 >= INT16_MAX || y1 >= INT16_MAX;
}

// Merges bands that touch and have equal spans, in place (after clamping
// has made two different bands alike).
void coalesceAll(_Region* r) {
  _Box* b = boxes(r->data);
  int64_t n = r->data->numRects, out = 0, prev = -1, i = 0;
  while (i < n) {
    int64_t end = i;
    while (end < n && b[end].y1 == b[i].y1) end++;
    memmove(b + out, b + i, size_t(end - i) * sizeof(_Box));
    out = miCoalesceBand(b, &prev, out, out + end - i);
    i = end;
  }
  r->data->numRects = out;
}

}  // namespace

const _Box miEmptyBox = {0, 0, 0, 0};
_RegData* const miEmptyData = &emptyBlock;
_RegData* const miBrokenData = &brokenBlock;
const _Region miBrokenRegion = {miEmptyBox, &brokenBlock};
ReallocFn miRealloc = &realloc;

void freeBlock(_Region* r) {
  if (ownsBlock(r)) free(r->data);
}

bool miRegionBreak(_Region* r) {
  freeBlock(r);
  r->extents = miEmptyBox;
  r->data = miBrokenData;
  return false;
}

bool miRegionCopy(_Region* dst, const _Region* src) {
  if (dst == src) return true;
  dst->extents = src->extents;
  if (!ownsBlock(src)) {
    freeBlock(dst);
    dst->data = src->data;
    return true;
  }
  int64_t n = src->data->numRects;
  if (!ownsBlock(dst) || dst->data->size < n) {
    if (n == 0) {
      freeBlock(dst);
      dst->data = miEmptyData;
      return true;
    }
    auto* block = static_cast<_RegData*>(miRealloc(nullptr, blockBytes(n)));
    if (!block) return miRegionBreak(dst);
    freeBlock(dst);
    block->size = n;
    dst->data = block;
  }
  dst->data->numRects = n;
  memcpy(boxes(dst->data), rects(src), size_t(n) * sizeof(_Box));
  return true;
}

bool miRectAlloc(_Region* r, int64_t n) {
  PLAT_ASSERT(n > 0);
  if (!r->data) {
    auto* block = static_cast<_RegData*>(miRealloc(nullptr, blockBytes(n + 1)));
    if (!block) return miRegionBreak(r);
    block->size = n + 1;
    block->numRects = 1;
    boxes(block)[0] = r->extents;
    r->data = block;
    return true;
  }
  if (r->data->size == 0) {
    auto* block = static_cast<_RegData*>(miRealloc(nullptr, blockBytes(n)));
    if (!block) return miRegionBreak(r);
    block->size = n;
    block->numRects = 0;
    r->data = block;
    return true;
  }
  int64_t used = r->data->numRects;
  int64_t grow = n != 1 ? n : used > 500 ? 250 : std::max<int64_t>(used, 1);
  auto* block = static_cast<_RegData*>(miRealloc(r->data, blockBytes(used + grow)));
  if (!block) return miRegionBreak(r);
  block->size = used + grow;
  r->data = block;
  return true;
}

bool miRectReserve(_Region* r, int64_t need) {
  if (!ownsBlock(r)) {
    if (!miRectAlloc(r, std::max<int64_t>(need, 1))) return false;
  }
  int64_t size = r->data->size, used = r->data->numRects;
  if (size - used >= need) return true;
  while (size - used < need) size += size > 500 ? 250 : size;
  auto* block = static_cast<_RegData*>(miRealloc(r->data, blockBytes(size)));
  if (!block) return miRegionBreak(r);
  block->size = size;
  r->data = block;
  return true;
}

void miSetExtents(_Region* r) {
  if (!r->data) return;
  if (r->data->numRects == 0) {
    r->extents.x2 = r->extents.x1;
    r->extents.y2 = r->extents.y1;
    return;
  }
  const _Box* b = rects(r);
  int64_t n = r->data->numRects;
  _Box e = {b[0].x1, b[0].y1, b[n - 1].x2, b[n - 1].y2};
  for (int64_t i = 0; i < n; i++) {
    e.x1 = std::min(e.x1, b[i].x1);
    e.x2 = std::max(e.x2, b[i].x2);
  }
  r->extents = e;
}

bool miTranslateRegion(_Region* r, int dx, int dy) {
  if (isBroken(r)) return false;
  const _Box& e = r->extents;
  long x1 = long(e.x1) + dx, y1 = long(e.y1) + dy, x2 = long(e.x2) + dx, y2 = long(e.y2) + dy;
  int64_t n = numRects(r);
  if (n == 0 || outside16(x1, y1, x2, y2)) {
    // A cleared region keeps its block for the next refill.
    if (n != 0 || !ownsBlock(r)) {
      freeBlock(r);
      r->data = miEmptyData;
    }
    r->extents = {clamp16(x1), clamp16(y1), clamp16(x1), clamp16(y1)};
    return true;
  }
  if (x1 >= INT16_MIN && y1 >= INT16_MIN && x2 <= INT16_MAX && y2 <= INT16_MAX) {
    r->extents = {int16_t(x1), int16_t(y1), int16_t(x2), int16_t(y2)};
    if (r->data) {
      for (_Box* b = boxes(r->data); b != boxes(r->data) + n; b++)
        *b = {int16_t(b->x1 + dx), int16_t(b->y1 + dy), int16_t(b->x2 + dx), int16_t(b->y2 + dy)};
    }
    return true;
  }
  r->extents = {clamp16(x1), clamp16(y1), clamp16(x2), clamp16(y2)};
  if (!r->data) return true;
  _Box* b = boxes(r->data);
  int64_t kept = 0;
  for (int64_t i = 0; i < n; i++) {
    long bx1 = long(b[i].x1) + dx, by1 = long(b[i].y1) + dy;
    long bx2 = long(b[i].x2) + dx, by2 = long(b[i].y2) + dy;
    if (outside16(bx1, by1, bx2, by2)) continue;
    b[kept++] = {clamp16(bx1), clamp16(by1), clamp16(bx2), clamp16(by2)};
  }
  r->data->numRects = kept;
  coalesceAll(r);
  if (r->data->numRects == 1) {
    r->extents = b[0];
    freeBlock(r);
    r->data = nullptr;
  } else {
    miSetExtents(r);
  }
  return true;
}

bool miPointInRegion(const _Region* r, int x, int y, _Box* box) {
  const _Box& e = r->extents;
  if (numRects(r) == 0 || x < e.x1 || x >= e.x2 || y < e.y1 || y >= e.y2) return false;
  if (!r->data) {
    if (box) *box = e;
    return true;
  }
  const _Box* b = rects(r);
  const _Box* end = b + r->data->numRects;
  for (; b != end; b++) {
    if (b->y2 <= y) continue;
    if (b->y1 > y || b->x1 > x) return false;
    if (x < b->x2) {
      if (box) *box = *b;
      return true;
    }
  }
  return false;
}

bool miRegionEqual(const _Region* a, const _Region* b) {
  int64_t n = numRects(a);
  if (n != numRects(b)) return false;
  // Empty regions are the same set whatever corner their extents keep.
  if (n == 0) return true;
  const _Box &ea = a->extents, &eb = b->extents;
  if (ea.x1 != eb.x1 || ea.x2 != eb.x2 || ea.y1 != eb.y1 || ea.y2 != eb.y2) return false;
  return memcmp(rects(a), rects(b), size_t(n) * sizeof(_Box)) == 0;
}

RectIn miRectIn(const _Region* r, const _Box* box) {
  const _Box& e = r->extents;
  if (numRects(r) == 0 || box->x1 >= box->x2 || box->y1 >= box->y2 || box->x2 <= e.x1 ||
      box->x1 >= e.x2 || box->y2 <= e.y1 || box->y1 >= e.y2)
    return rgnOUT;
  // The rectangles are disjoint, so the area they share with the box tells
  // whether the box is covered, missed or cut.
  int64_t covered = 0;
  const _Box* b = rects(r);
  for (const _Box* end = b + numRects(r); b != end && b->y1 < box->y2; b++) {
    int w = std::min(b->x2, box->x2) - std::max(b->x1, box->x1);
    int h = std::min(b->y2, box->y2) - std::max(b->y1, box->y1);
    if (w > 0 && h > 0) covered += int64_t(w) * h;
  }
  if (covered == 0) return rgnOUT;
  return covered == int64_t(box->x2 - box->x1) * (box->y2 - box->y1) ? rgnIN : rgnPART;
}

bool miResetFromRects(_Region* r, int n, const int* v) {
  if (isBroken(r)) return false;
  if (n <= 0) {
    freeBlock(r);
    r->extents.x2 = r->extents.x1;
    r->extents.y2 = r->extents.y1;
    r->data = miEmptyData;
    return true;
  }
  if (n == 1) {
    freeBlock(r);
    r->extents = {clamp16(v[0]), clamp16(v[1]), clamp16(v[2]), clamp16(v[3])};
    r->data = nullptr;
    PLAT_ASSERT(r->extents.x1 < r->extents.x2 && r->extents.y1 < r->extents.y2);
    return true;
  }
  if (ownsBlock(r)) r->data->numRects = 0;
  if (!miRectReserve(r, n)) return false;
  _Box* b = boxes(r->data);
  for (int i = 0; i < n; i++)
    b[i] = {clamp16(v[4 * i]), clamp16(v[4 * i + 1]), clamp16(v[4 * i + 2]), clamp16(v[4 * i + 3])};
  r->data->numRects = n;
  miSetExtents(r);
  PLAT_ASSERT(miBandsValid(r->extents, b, n));
  return true;
}

bool miBandsValid(const _Box& e, const _Box* b, int64_t n) {
  if (n == 0) return e.x1 == e.x2 && e.y1 == e.y2;
  _Box bbox = b[0];
  int64_t prevBand = -1, band = 0;
  for (int64_t i = 0; i <= n; i++) {
    if (i < n) {
      if (b[i].x1 >= b[i].x2 || b[i].y1 >= b[i].y2) return false;
      bbox = {std::min(bbox.x1, b[i].x1), bbox.y1, std::max(bbox.x2, b[i].x2), b[i].y2};
      if (i > band && b[i].y1 == b[band].y1) {
        if (b[i].y2 != b[band].y2 || b[i].x1 <= b[i - 1].x2) return false;
        continue;
      }
      if (i > band && b[i].y1 < b[band].y2) return false;
    }
    // A band has ended at i: it must differ from a band it touches.
    if (i > band && prevBand >= 0 && band - prevBand == i - band && b[prevBand].y2 == b[band].y1 &&
        miSameSpans(b + prevBand, b + band, i - band))
      return false;
    if (i > band) prevBand = band;
    band = i;
  }
  return bbox.x1 == e.x1 && bbox.y1 == e.y1 && bbox.x2 == e.x2 && bbox.y2 == e.y2;
}

}  // namespace miRegion
