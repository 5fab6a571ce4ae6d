// Integer points and rectangles of the raster layer.
#pragma once

#include <algorithm>
#include <cstdint>

namespace lumidraw::gfx {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// Half-open: covers left..right-1 and top..bottom-1. Empty when right <= left or
// bottom <= top.
//
//   Rect{1, 1, 4, 3}:   . . . . .
//                       . # # # .
//                       . # # # .
//                       . . . . .
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  // Overflow when the sides are more than INT_MAX apart; width64() / height64() never do.
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  std::int64_t width64() const { return static_cast<std::int64_t>(right) - left; }
  std::int64_t height64() const { return static_cast<std::int64_t>(bottom) - top; }
  bool empty() const { return right <= left || bottom <= top; }
  bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// The common part of a and b; an empty rectangle (possibly with right < left made
// equal) when they do not meet.
constexpr Rect intersect(const Rect& a, const Rect& b) {
  Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  r.right = std::max(r.right, r.left);
  r.bottom = std::max(r.bottom, r.top);
  return r;
}

}  // namespace lumidraw::gfx
