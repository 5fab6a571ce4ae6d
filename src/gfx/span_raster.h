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
#include <array>
#include <cmath>
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

// floor(sqrt(v)) for 0 <= v < 2^52, where the rounded double root is off by at most one.
inline std::int64_t isqrt_small(std::int64_t v) {
  auto r = static_cast<std::int64_t>(std::sqrt(static_cast<double>(v)));
  if (r * r > v) return r - 1;
  return (r + 1) * (r + 1) <= v ? r + 1 : r;
}

// Half-widths of a disc's rows for a pen width, kept between calls: entry k is
// floor(sqrt(radius^2 - (k * kSub / 2)^2)), the half chord of the row k half pixels
// from the centre, which is every row a disc about a pen_centre() point meets.
class DiscChords {
 public:
  std::span<const std::int32_t> for_radius(std::int64_t radius);

 private:
  struct Table {
    std::int64_t radius = -1;
    std::vector<std::int32_t> chords;
  };
  std::array<Table, 4> tables_;
  std::size_t next_ = 0;
};

// The pixels whose centres lie within `radius` sub-units of the segment a-b (both
// ends included): a line with round ends, or a disc when a == b. Convex, so every
// row holds at most one run.
class Capsule {
 public:
  // `chords` (optional) is DiscChords::for_radius(radius); it is used when both ends
  // lie on the half-pixel grid, as pen_centre() points do.
  Capsule(SubPoint a, SubPoint b, std::int64_t radius, std::span<const std::int32_t> chords = {});

  // Rows that may hold pixels: first_row() .. last_row() inclusive.
  int first_row() const { return first_row_; }
  int last_row() const { return last_row_; }

  // The pixels are symmetric about the segment's midpoint whenever reflecting there
  // takes pixel centres to pixel centres, as for any two pen_centre() points of one
  // width: pixel (x, y) is then covered exactly when (mirror_column() - x,
  // mirror_row() - y) is.
  bool mirrored() const { return mirrored_; }
  int mirror_column() const { return mirror_column_; }
  int mirror_row() const { return mirror_row_; }

  // Calls f(y, x0, x1) for rows from .. to with each row's run [x0, x1) (x1 <= x0
  // when the row holds none). Rows are stepped with additions only: the band's bounds
  // are quotients of numerators growing by a fixed amount per row.
  template <typename F>
  void walk(int from, int to, F&& f) const;

 private:
  // Half chord of a disc end at vertical distance dy (|dy| <= radius).
  std::int64_t half_chord(std::int64_t dy) const {
    if (!chords_.empty()) {
      return chords_[static_cast<std::size_t>((dy < 0 ? -dy : dy) >> (kSubBits - 1))];
    }
    return isqrt_small(r2_ - dy * dy);
  }

  SubPoint a_;
  SubPoint b_;
  SubPoint d_;
  std::int64_t radius_ = 0;
  std::int64_t r2_ = 0;
  std::int64_t l2_ = 0;  // squared length of d_
  std::int64_t k_ = 0;   // floor(radius * length): bound of the cross product
  std::span<const std::int32_t> chords_;
  int first_row_ = 0;
  int last_row_ = 0;
  bool mirrored_ = false;
  int mirror_column_ = 0;
  int mirror_row_ = 0;
};

template <typename F>
void Capsule::walk(int from, int to, F&& f) const {
  // Row centre minus each end's y, sub-units.
  std::int64_t dya = from * kSub + kSub / 2 - a_.y;
  std::int64_t dyb = from * kSub + kSub / 2 - b_.y;
  const std::int64_t dx = d_.x, dy = d_.y;
  // With u = cx - a.x the band is |u dy - dya dx| <= k (distance from the line) and
  // 0 <= u dx + dya dy <= l2 (foot of the perpendicular on the segment). With
  // N = s1 dya dx and M = s2 dya dy (s = the coefficient's sign, D its size):
  //   u >= -floor((k - N) / D1),           u <= floor((N + k) / D1),
  //   u >= -floor((M + e1) / D2),          u <= floor((e2 - M) / D2),
  // where e1 = l2 for dx < 0 and e2 = l2 for dx > 0 (else 0). N and M are kept as
  // quotient q and remainder r of D, so each bound is q plus a fixed part.
  const std::int64_t d1 = dy < 0 ? -dy : dy, d2 = dx < 0 ? -dx : dx;
  std::int64_t q1 = 0, r1 = 0, dq1 = 0, dr1 = 0, kq = 0, kr = 0;
  if (d1 != 0) {
    const std::int64_t n = (dy < 0 ? -dya : dya) * dx, step = (dy < 0 ? -kSub : kSub) * dx;
    q1 = floor_div(n, d1), r1 = n - q1 * d1;
    dq1 = floor_div(step, d1), dr1 = step - dq1 * d1;
    kq = k_ / d1, kr = k_ - kq * d1;
  }
  std::int64_t q2 = 0, r2 = 0, dq2 = 0, dr2 = 0, e1q = 0, e1r = 0, e2q = 0, e2r = 0;
  if (d2 != 0) {
    const std::int64_t m = (dx < 0 ? -dya : dya) * dy, step = (dx < 0 ? -kSub : kSub) * dy;
    q2 = floor_div(m, d2), r2 = m - q2 * d2;
    dq2 = floor_div(step, d2), dr2 = step - dq2 * d2;
    const std::int64_t e1 = dx < 0 ? l2_ : 0, e2 = dx > 0 ? l2_ : 0;
    e1q = e1 / d2, e1r = e1 - e1q * d2;
    e2q = e2 / d2, e2r = e2 - e2q * d2;
  }
  for (int y = from; y <= to; ++y) {
    // Centre positions (sub-units) of the row's run; lo > hi while empty.
    std::int64_t lo = INT64_MAX;
    std::int64_t hi = INT64_MIN;
    if (dya <= radius_ && -dya <= radius_) {
      const std::int64_t m = half_chord(dya);
      lo = a_.x - m;
      hi = a_.x + m;
    }
    if (dyb <= radius_ && -dyb <= radius_) {
      const std::int64_t m = half_chord(dyb);
      lo = std::min(lo, b_.x - m);
      hi = std::max(hi, b_.x + m);
    }
    if (l2_ > 0) {
      std::int64_t u_lo, u_hi;
      if (d1 != 0) {
        u_lo = q1 - kq + (kr < r1 ? 1 : 0);
        u_hi = q1 + kq + (r1 + kr >= d1 ? 1 : 0);
      } else if (dya * dx <= k_ && -dya * dx <= k_) {
        u_lo = INT64_MIN / 4, u_hi = INT64_MAX / 4;
      } else {
        u_lo = 1, u_hi = 0;
      }
      if (d2 != 0) {
        u_lo = std::max(u_lo, -(q2 + e1q + (r2 + e1r >= d2 ? 1 : 0)));
        u_hi = std::min(u_hi, -q2 + e2q - (e2r < r2 ? 1 : 0));
      } else if (dya * dy < 0 || dya * dy > l2_) {
        u_lo = 1, u_hi = 0;
      }
      if (u_lo <= u_hi) {
        lo = std::min(lo, a_.x + u_lo);
        hi = std::max(hi, a_.x + u_hi);
      }
    }
    // Pixels whose centre 16 x + 8 lies in [lo, hi].
    if (lo <= hi) {
      f(y, ((lo - kSub / 2 - 1) >> kSubBits) + 1, ((hi - kSub / 2) >> kSubBits) + 1);
    } else {
      f(y, std::int64_t{0}, std::int64_t{0});
    }
    dya += kSub;
    dyb += kSub;
    q1 += dq1;
    r1 += dr1;
    if (r1 >= d1 && d1 != 0) r1 -= d1, ++q1;
    q2 += dq2;
    r2 += dr2;
    if (r2 >= d2 && d2 != 0) r2 -= d2, ++q2;
  }
}

// Emits the capsule's runs inside `clip`, one per row, in no particular row order.
template <typename Sink>
void capsule_spans(const Capsule& c, const Rect& clip, Sink&& sink) {
  const int top = std::max(c.first_row(), clip.top);
  const int bottom = std::min(c.last_row(), clip.bottom - 1);
  if (top > bottom) return;
  const auto emit = [&](int y, std::int64_t x0, std::int64_t x1) {
    if (y < top || y > bottom) return;
    const std::int64_t l = std::max<std::int64_t>(x0, clip.left);
    const std::int64_t r = std::min<std::int64_t>(x1, clip.right);
    if (l < r) sink(y, static_cast<int>(l), static_cast<int>(r));
  };
  if (!c.mirrored()) {
    c.walk(top, bottom, emit);
    return;
  }
  // Walk the upper half and mirror each run into the lower half.
  const int ky = c.mirror_row(), kx = c.mirror_column();
  const int from = std::max(c.first_row(), std::min(top, ky - bottom));
  const int to =
      static_cast<int>(std::min<std::int64_t>(floor_div(ky, 2), std::max(bottom, ky - top)));
  c.walk(from, to, [&](int y, std::int64_t x0, std::int64_t x1) {
    if (x0 >= x1) return;
    emit(y, x0, x1);
    if (ky - y != y) emit(ky - y, kx - x1 + 1, kx - x0 + 1);
  });
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
  // Empties the set for runs in rows first .. first + rows - 1 (other rows are
  // accepted too, only less compactly).
  void clear(int first = 0, int rows = 0) {
    spans_.clear();
    first_row_ = first;
    last_in_row_.assign(static_cast<std::size_t>(std::max(rows, 0)), kNone);
  }
  void add(int y, int x0, int x1) {
    if (x0 >= x1) return;
    // A run overlapping or touching the row's latest one extends it: the pieces of a
    // path overlap their neighbours, so most runs end up here.
    const auto row = static_cast<std::size_t>(y - first_row_);
    if (y >= first_row_ && row < last_in_row_.size()) {
      std::size_t& last = last_in_row_[row];
      if (last != kNone && x0 <= spans_[last].x1 && spans_[last].x0 <= x1) {
        spans_[last].x0 = std::min(spans_[last].x0, x0);
        spans_[last].x1 = std::max(spans_[last].x1, x1);
        return;
      }
      last = spans_.size();
    }
    spans_.push_back({y, x0, x1});
  }
  // Sorts by row and column and joins runs that overlap or touch.
  void normalize();
  std::span<const Span> spans() const { return spans_; }
  // Keeps only the pixels not covered by `other` (both normalised).
  void subtract(const SpanSet& other);

 private:
  static constexpr std::size_t kNone = ~std::size_t{0};
  std::vector<Span> spans_;
  std::vector<Span> scratch_;
  std::vector<std::size_t> starts_;
  int first_row_ = 0;
  std::vector<std::size_t> last_in_row_;
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
