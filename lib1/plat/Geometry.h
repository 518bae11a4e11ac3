// Integer pixel geometry: points (positions, sizes, offsets) and rectangles
// with an inclusive top-left and an exclusive bottom-right corner.
#pragma once

#include <algorithm>

namespace plat {

struct Point {
  constexpr Point() = default;
  constexpr Point(int x_, int y_) : x(x_), y(y_) {}

  constexpr Point operator+(const Point& p) const { return Point(x + p.x, y + p.y); }
  constexpr Point operator-(const Point& p) const { return Point(x - p.x, y - p.y); }
  constexpr Point operator-() const { return Point(-x, -y); }
  constexpr Point& operator+=(const Point& p) {
    x += p.x;
    y += p.y;
    return *this;
  }
  constexpr Point& operator-=(const Point& p) {
    x -= p.x;
    y -= p.y;
    return *this;
  }
  friend constexpr bool operator==(const Point&, const Point&) = default;

  int x = 0;
  int y = 0;
};

struct Rect {
  constexpr Rect() = default;
  constexpr Rect(const Point& tl_, const Point& br_) : tl(tl_), br(br_) {}
  constexpr Rect(int x1, int y1, int x2, int y2) : tl(x1, y1), br(x2, y2) {}

  constexpr int width() const { return br.x - tl.x; }
  constexpr int height() const { return br.y - tl.y; }
  // Also true for a rectangle whose corners are the wrong way round.
  constexpr bool isEmpty() const { return !(tl.x < br.x && tl.y < br.y); }

  // Left and top edges belong to the rectangle, right and bottom do not.
  constexpr bool contains(const Point& p) const {
    return p.x >= tl.x && p.y >= tl.y && p.x < br.x && p.y < br.y;
  }
  // True when r lies inside; an empty r is judged by its corners alone,
  // which is what bounds checks of pixel access want.
  constexpr bool encloses(const Rect& r) const {
    return r.tl.x >= tl.x && r.tl.y >= tl.y && r.br.x <= br.x && r.br.y <= br.y;
  }

  // The common part. When there is none the top-left is pulled back onto
  // the bottom-right, so the result is empty but never inside out (callers
  // clip and then walk rows by width and height).
  constexpr Rect intersect(const Rect& r) const {
    Rect i(std::max(tl.x, r.tl.x), std::max(tl.y, r.tl.y), std::min(br.x, r.br.x),
           std::min(br.y, r.br.y));
    i.tl.x = std::min(i.tl.x, i.br.x);
    i.tl.y = std::min(i.tl.y, i.br.y);
    return i;
  }
  // The smallest rectangle covering both; an empty operand adds nothing.
  constexpr Rect unionBoundary(const Rect& r) const {
    if (r.isEmpty()) return *this;
    if (isEmpty()) return r;
    return Rect(std::min(tl.x, r.tl.x), std::min(tl.y, r.tl.y), std::max(br.x, r.br.x),
                std::max(br.y, r.br.y));
  }

  constexpr Rect operator+(const Point& p) const { return Rect(tl + p, br + p); }
  constexpr Rect operator-(const Point& p) const { return Rect(tl - p, br - p); }
  friend constexpr bool operator==(const Rect&, const Rect&) = default;

  Point tl;
  Point br;
};

}  // namespace plat
