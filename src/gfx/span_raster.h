// Building blocks of the canvas: shapes turned into horizontal pixel spans.
//
// Everything here is exact integer arithmetic, so a shape always covers the same
// pixels wherever and however often it is drawn. Shapes are described in sub-units
// of 1/16 pixel: the centre of pixel (x, y) lies at (16 x + 8, 16 y + 8).
//
// A span sink is any callable `sink(y, x0, x1)` taking one row's run of pixels
// x0..x1-1; the sink is a template parameter so that a span costs no indirect call.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "gfx/geometry.h"

namespace lumidraw::gfx::raster {

inline constexpr int kSubBits = 4;
inline constexpr std::int64_t kSub = 1 << kSubBits;
// Point coordinates are clamped to +-kMaxCoord pixels and pen widths to kMaxWidth,
// which keeps every product below in 64 bits.
inline constexpr int kMaxCoord = 1 << 18;
inline constexpr int kMaxWidth = 4096;

struct SubPoint {
  std::int64_t x = 0;
  std::int64_t y = 0;
  friend bool operator==(const SubPoint&, const SubPoint&) = default;
};

struct Span {
  int y = 0;
  int x0 = 0;  // first pixel
  int x1 = 0;  // one past the last pixel
  friend bool operator==(const Span&, const Span&) = default;
};

constexpr std::int64_t floor_div(std::int64_t a, std::int64_t b) {  // b > 0
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}
constexpr std::int64_t ceil_div(std::int64_t a, std::int64_t b) {  // b > 0
  return -floor_div(-a, b);
}

constexpr int clamp_coord(int v) {
  return std::clamp(v, -kMaxCoord, kMaxCoord);
}

// floor(sqrt(v)) for v >= 0.
std::int64_t isqrt(std::int64_t v);
// floor(sqrt(a * b)) for a, b >= 0 whose product may exceed 64 bits.
std::int64_t isqrt_product(std::int64_t a, std::int64_t b);

// Where a pen of the given width is centred for the point p: the centre of pixel p
// for odd widths, the top-left corner of pixel p for even widths. A width-w disc then
// covers exactly w pixels across:
//
//   width 2 at p=(2,2)    width 3 at p=(2,2)
//   . . . . .             . . . . .
//   . # # . .             . # # # .
//   . # # . .             . # # # .
//   . . . . .             . # # # .
SubPoint pen_centre(Point p, int width);

// The pixels whose centres lie within `radius` sub-units of the segment a-b (both
// ends included): a line with round ends, or a disc when a == b. Convex, so every
// row holds at most one run.
class Capsule {
 public:
  Capsule(SubPoint a, SubPoint b, std::int64_t radius);

  // Rows that may hold pixels: first_row() .. last_row() inclusive.
  int first_row() const { return first_row_; }
  int last_row() const { return last_row_; }
  // The run of row y as [x0, x1); x1 <= x0 when the row holds none.
  std::pair<std::int64_t, std::int64_t> row(int y) const;

 private:
  SubPoint a_;
  SubPoint b_;
  SubPoint d_;
  std::int64_t r2_ = 0;
  std::int64_t l2_ = 0;  // squared length of d_
  std::int64_t k_ = 0;   // floor(radius * length): bound of the cross product
  int first_row_ = 0;
  int last_row_ = 0;
};

// Emits the capsule's runs inside `clip`, one per row, top to bottom.
template <typename Sink>
void capsule_spans(const Capsule& c, const Rect& clip, Sink&& sink) {
  const int top = std::max(c.first_row(), clip.top);
  const int bottom = std::min(c.last_row(), clip.bottom - 1);
  for (int y = top; y <= bottom; ++y) {
    const auto [x0, x1] = c.row(y);
    const std::int64_t l = std::max<std::int64_t>(x0, clip.left);
    const std::int64_t r = std::min<std::int64_t>(x1, clip.right);
    if (l < r) sink(y, static_cast<int>(l), static_cast<int>(r));
  }
}

// A one-pixel line from a to b leaving out b (nothing when a == b). Along the major
// axis every column (or row) gets the pixel nearest the ideal line; an exact half
// rounds away from a. Runs inside `clip` are emitted in order from a.
//
//   (0,0) -> (5,2):  # # . . . .
//                    . . # # . .
//                    . . . . # o    o = (5,2), left out
template <typename Sink>
void thin_line_spans(Point a, Point b, const Rect& clip, Sink&& sink);

// Collects runs of several shapes and merges them, so that a figure built from
// overlapping pieces covers each pixel once.
class SpanSet {
 public:
  void clear() { spans_.clear(); }
  void add(int y, int x0, int x1) {
    if (x0 < x1) spans_.push_back({y, x0, x1});
  }
  // Sorts by row and column and joins runs that overlap or touch.
  void normalize();
  std::span<const Span> spans() const { return spans_; }
  // Keeps only the pixels not covered by `other` (both normalised).
  void subtract(const SpanSet& other);
  bool empty() const { return spans_.empty(); }

 private:
  std::vector<Span> spans_;
  std::vector<Span> scratch_;
};

template <typename Sink>
void thin_line_spans(Point a, Point b, const Rect& clip, Sink&& sink) {
  a = {clamp_coord(a.x), clamp_coord(a.y)};
  b = {clamp_coord(b.x), clamp_coord(b.y)};
  const std::int64_t dx = b.x - a.x;
  const std::int64_t dy = b.y - a.y;
  const std::int64_t adx = dx < 0 ? -dx : dx;
  const std::int64_t ady = dy < 0 ? -dy : dy;
  const int sx = dx < 0 ? -1 : 1;
  const int sy = dy < 0 ? -1 : 1;
  const bool x_major = adx >= ady;
  const std::int64_t n = x_major ? adx : ady;  // pixels drawn: steps 0 .. n-1
  if (n == 0 || clip.empty()) return;
  const std::int64_t minor = x_major ? ady : adx;
  // Offset along the minor axis at step i: nearest, halves away from a.
  const auto minor_at = [&](std::int64_t i) { return (2 * i * minor + n) / (2 * n); };
  const auto x_at = [&](std::int64_t i) { return a.x + sx * (x_major ? i : minor_at(i)); };
  const auto y_at = [&](std::int64_t i) { return a.y + sy * (x_major ? minor_at(i) : i); };
  // Steps whose pixel is inside the clip form one range, since x and y are both
  // monotone in i: find it by bisection on each axis.
  const auto first_step = [&](auto inside_after) {  // first i in [0, n) with inside_after(i)
    std::int64_t lo = 0, hi = n;
    while (lo < hi) {
      const std::int64_t mid = lo + (hi - lo) / 2;
      if (inside_after(mid))
        hi = mid;
      else
        lo = mid + 1;
    }
    return lo;
  };
  const auto entered = [&](std::int64_t v, int s, int low, int high) {
    return s > 0 ? v >= low : v < high;
  };
  const auto left = [&](std::int64_t v, int s, int low, int high) {
    return s > 0 ? v >= high : v < low;
  };
  const std::int64_t begin = std::max(
      first_step([&](std::int64_t i) { return entered(x_at(i), sx, clip.left, clip.right); }),
      first_step([&](std::int64_t i) { return entered(y_at(i), sy, clip.top, clip.bottom); }));
  const std::int64_t end = std::min(
      first_step([&](std::int64_t i) { return left(x_at(i), sx, clip.left, clip.right); }),
      first_step([&](std::int64_t i) { return left(y_at(i), sy, clip.top, clip.bottom); }));
  if (begin >= end) return;
  if (!x_major) {
    for (std::int64_t i = begin; i < end; ++i) {
      const int x = static_cast<int>(x_at(i));
      sink(static_cast<int>(y_at(i)), x, x + 1);
    }
    return;
  }
  // x-major: steps sharing a row form one run.
  std::int64_t run_start = begin;
  for (std::int64_t i = begin + 1; i <= end; ++i) {
    if (i < end && minor_at(i) == minor_at(run_start)) continue;
    const std::int64_t xa = x_at(run_start);
    const std::int64_t xb = x_at(i - 1);
    sink(static_cast<int>(y_at(run_start)), static_cast<int>(std::min(xa, xb)),
         static_cast<int>(std::max(xa, xb) + 1));
    run_start = i;
  }
}

}  // namespace lumidraw::gfx::raster
