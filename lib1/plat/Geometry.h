// Integer pixel geometry: points (positions, sizes, offsets) and rectangles
// with an inclusive top-left and an exclusive bottom-right corner.
#pragma once

namespace plat {

struct Point {
  constexpr Point() = default;
  constexpr Point(int px, int py) : x(px), y(py) {}

  constexpr Point operator+(const Point& p) const { return Point(x + p.x, y + p.y); }
  constexpr Point operator-(const Point& p) const { return Point(x - p.x, y - p.y); }
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
  constexpr Rect(const Point& topLeft, const Point& bottomRight) : tl(topLeft), br(bottomRight) {}
  constexpr Rect(int x1, int y1, int x2, int y2) : tl(x1, y1), br(x2, y2) {}

  constexpr int width() const { return br.x - tl.x; }
  constexpr int height() const { return br.y - tl.y; }
  // Also true for a rectangle whose corners are the wrong way round.
  constexpr bool isEmpty() const { return !(tl.x < br.x && tl.y < br.y); }

  constexpr Rect operator+(const Point& p) const { return Rect(tl + p, br + p); }
  constexpr Rect operator-(const Point& p) const { return Rect(tl - p, br - p); }
  friend constexpr bool operator==(const Rect&, const Rect&) = default;

  Point tl;
  Point br;
};

}  // namespace plat
