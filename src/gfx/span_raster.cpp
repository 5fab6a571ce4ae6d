#include "gfx/span_raster.h"

#include <cmath>

namespace lumidraw::gfx::raster {
namespace {

// An unsigned 128-bit product, enough to compare squares of 64-bit values.
struct Wide {
  std::uint64_t hi = 0;
  std::uint64_t lo = 0;
  friend auto operator<=>(const Wide&, const Wide&) = default;
};

Wide multiply(std::uint64_t a, std::uint64_t b) {
  const std::uint64_t a_lo = a & 0xFFFFFFFFu, a_hi = a >> 32;
  const std::uint64_t b_lo = b & 0xFFFFFFFFu, b_hi = b >> 32;
  const std::uint64_t ll = a_lo * b_lo;
  const std::uint64_t lh = a_lo * b_hi;
  const std::uint64_t hl = a_hi * b_lo;
  const std::uint64_t hh = a_hi * b_hi;
  const std::uint64_t mid = (ll >> 32) + (lh & 0xFFFFFFFFu) + (hl & 0xFFFFFFFFu);
  return {hh + (lh >> 32) + (hl >> 32) + (mid >> 32), (mid << 32) | (ll & 0xFFFFFFFFu)};
}

}  // namespace

std::int64_t isqrt(std::int64_t v) {
  if (v <= 0) return 0;
  if (v < (std::int64_t{1} << 52)) return isqrt_small(v);
  auto r = std::max<std::int64_t>(1, static_cast<std::int64_t>(std::sqrt(static_cast<double>(v))));
  // Compared by division so that squaring near the top of the range cannot overflow.
  while (r > v / r) --r;
  while (r + 1 <= v / (r + 1)) ++r;
  return r;
}

std::int64_t isqrt_product(std::int64_t a, std::int64_t b) {
  if (a <= 0 || b <= 0) return 0;
  const Wide target = multiply(static_cast<std::uint64_t>(a), static_cast<std::uint64_t>(b));
  const auto square = [](std::int64_t r) {
    return multiply(static_cast<std::uint64_t>(r), static_cast<std::uint64_t>(r));
  };
  auto r = static_cast<std::int64_t>(std::sqrt(static_cast<double>(a)) *
                                     std::sqrt(static_cast<double>(b)));
  while (r > 0 && square(r) > target) --r;
  while (square(r + 1) <= target) ++r;
  return r;
}

SubPoint pen_centre(Point p, int width) {
  const std::int64_t half = (width & 1) ? kSub / 2 : 0;
  return {clamp_coord(p.x) * kSub + half, clamp_coord(p.y) * kSub + half};
}

std::span<const std::int32_t> DiscChords::for_radius(std::int64_t radius) {
  for (const Table& t : tables_) {
    if (t.radius == radius) return t.chords;
  }
  Table& t = tables_[next_];
  next_ = (next_ + 1) % tables_.size();
  t.radius = radius;
  t.chords.clear();
  for (std::int64_t dy = 0; dy <= radius; dy += kSub / 2) {
    t.chords.push_back(static_cast<std::int32_t>(isqrt(radius * radius - dy * dy)));
  }
  return t.chords;
}

Capsule::Capsule(SubPoint a, SubPoint b, std::int64_t radius, std::span<const std::int32_t> chords)
    : a_(a), b_(b), d_{b.x - a.x, b.y - a.y}, radius_(radius), r2_(radius * radius) {
  l2_ = d_.x * d_.x + d_.y * d_.y;
  k_ = isqrt_product(r2_, l2_);
  const auto on_grid = [](std::int64_t v) { return v % (kSub / 2) == 0; };
  if (on_grid(a.y) && on_grid(b.y)) chords_ = chords;
  // Row y is in reach when its centre 16 y + 8 lies within the radius of either end.
  const std::int64_t top = std::min(a.y, b.y) - radius;
  const std::int64_t bottom = std::max(a.y, b.y) + radius;
  first_row_ = static_cast<int>(ceil_div(top - kSub / 2, kSub));
  last_row_ = static_cast<int>(floor_div(bottom - kSub / 2, kSub));
  // Reflection c -> a + b - c maps centre 16 x + 8 to 16 x' + 8 with x' = (a + b) / 16 - 1 - x
  // when a + b is a multiple of 16 on both axes.
  const std::int64_t sx = a.x + b.x, sy = a.y + b.y;
  mirrored_ = sx % kSub == 0 && sy % kSub == 0;
  if (mirrored_) {
    mirror_column_ = static_cast<int>(sx / kSub - 1);
    mirror_row_ = static_cast<int>(sy / kSub - 1);
  }
}

void SpanSet::normalize() {
  if (spans_.empty()) return;
  // Counting sort by row (rows are few: the spans are clipped to a buffer), then a
  // small sort by column within each row.
  const auto [low, high] = std::minmax_element(
      spans_.begin(), spans_.end(), [](const Span& p, const Span& q) { return p.y < q.y; });
  const int first = low->y;
  starts_.assign(static_cast<std::size_t>(high->y - first) + 2, 0);
  for (const Span& s : spans_) ++starts_[static_cast<std::size_t>(s.y - first) + 1];
  for (std::size_t i = 1; i < starts_.size(); ++i) starts_[i] += starts_[i - 1];
  scratch_.resize(spans_.size());
  for (const Span& s : spans_) scratch_[starts_[static_cast<std::size_t>(s.y - first)]++] = s;
  // starts_[r] now ends row r; merge row by row back into spans_.
  std::size_t out = 0, begin = 0;
  for (std::size_t r = 0; r + 1 < starts_.size(); ++r) {
    const std::size_t end = starts_[r];
    std::sort(scratch_.begin() + static_cast<std::ptrdiff_t>(begin),
              scratch_.begin() + static_cast<std::ptrdiff_t>(end),
              [](const Span& p, const Span& q) { return p.x0 < q.x0; });
    const std::size_t row_start = out;
    for (std::size_t i = begin; i < end; ++i) {
      if (out > row_start && scratch_[i].x0 <= spans_[out - 1].x1) {
        spans_[out - 1].x1 = std::max(spans_[out - 1].x1, scratch_[i].x1);
      } else {
        spans_[out++] = scratch_[i];
      }
    }
    begin = end;
  }
  spans_.resize(out);
}

void SpanSet::subtract(const SpanSet& other) {
  scratch_.clear();
  const auto& cut = other.spans_;
  std::size_t j = 0;
  for (const Span& s : spans_) {
    while (j < cut.size() && (cut[j].y < s.y || (cut[j].y == s.y && cut[j].x1 <= s.x0))) ++j;
    int x = s.x0;
    for (std::size_t k = j; k < cut.size() && cut[k].y == s.y && cut[k].x0 < s.x1; ++k) {
      if (cut[k].x0 > x) scratch_.push_back({s.y, x, cut[k].x0});
      x = std::max(x, cut[k].x1);
    }
    if (x < s.x1) scratch_.push_back({s.y, x, s.x1});
  }
  spans_.swap(scratch_);
}

}  // namespace lumidraw::gfx::raster
