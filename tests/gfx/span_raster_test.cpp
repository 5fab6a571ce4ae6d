// The span rasterisers against plain per-pixel definitions.
#include "gfx/span_raster.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace lumidraw::gfx::raster {
namespace {

using PixelSet = std::set<std::pair<int, int>>;

// Pixel (x, y) belongs to the capsule when the squared distance from its centre to
// the segment a-b is at most radius^2, decided per pixel in exact integers.
PixelSet reference_capsule(SubPoint a, SubPoint b, std::int64_t radius, const Rect& clip) {
  PixelSet out;
  const std::int64_t dx = b.x - a.x, dy = b.y - a.y, l2 = dx * dx + dy * dy;
  for (int y = clip.top; y < clip.bottom; ++y) {
    for (int x = clip.left; x < clip.right; ++x) {
      const std::int64_t px = x * kSub + kSub / 2, py = y * kSub + kSub / 2;
      const std::int64_t ux = px - a.x, uy = py - a.y;
      const std::int64_t dot = ux * dx + uy * dy;
      bool inside;
      if (l2 == 0 || dot <= 0) {
        inside = ux * ux + uy * uy <= radius * radius;
      } else if (dot >= l2) {
        const std::int64_t vx = px - b.x, vy = py - b.y;
        inside = vx * vx + vy * vy <= radius * radius;
      } else {
        const std::int64_t cross = ux * dy - uy * dx;
        inside = cross * cross <= radius * radius * l2;
      }
      if (inside) out.emplace(x, y);
    }
  }
  return out;
}

// Step i of a one-pixel line: the major axis moves by i, the minor by the nearest
// whole number to i * minor / major, halves away from the start.
PixelSet reference_thin(Point a, Point b, const Rect& clip) {
  PixelSet out;
  const int dx = b.x - a.x, dy = b.y - a.y;
  const int n = std::max(std::abs(dx), std::abs(dy));
  for (int i = 0; i < n; ++i) {
    // The k nearest to i * |d| / n, searched outright; on a tie the larger one.
    const auto along = [&](int d) {
      int best = 0;
      for (int k = 1; k <= std::abs(d); ++k) {
        if (std::abs(k * n - i * std::abs(d)) <= std::abs(best * n - i * std::abs(d))) best = k;
      }
      return d < 0 ? -best : best;
    };
    const Point p{a.x + along(dx), a.y + along(dy)};
    if (clip.contains(p)) out.emplace(p.x, p.y);
  }
  return out;
}

// Collects the runs of a sink, checking that no pixel comes twice and that runs are
// inside the clip.
struct Collector {
  explicit Collector(const Rect& area) : clip(area) {}
  const Rect& clip;
  PixelSet pixels;
  int repeats = 0;
  void operator()(int y, int x0, int x1) {
    EXPECT_LT(x0, x1);
    EXPECT_TRUE(clip.contains({x0, y}) && clip.contains({x1 - 1, y}));
    for (int x = x0; x < x1; ++x) repeats += !pixels.emplace(x, y).second;
  }
};

TEST(CapsuleSpans, MatchReferenceForRandomSegmentsWidthsAndClips) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> coord(-6, 40);
  std::uniform_int_distribution<int> width(1, 17);
  DiscChords chords;
  for (int round = 0; round < 3000; ++round) {
    const int w = width(rng);
    const bool on_points = round % 2 == 0;  // integer points, or any sub-pixel position
    const auto point = [&] {
      if (on_points) return pen_centre({coord(rng), coord(rng)}, w);
      return SubPoint{coord(rng) * kSub + coord(rng) % kSub, coord(rng) * kSub + coord(rng) % 7};
    };
    const SubPoint a = point();
    const SubPoint b = round % 5 == 0 ? a : point();
    const Rect clip{coord(rng) / 4, coord(rng) / 4, 24 + coord(rng) / 4, 20 + coord(rng) / 4};
    const std::int64_t radius = w * kSub / 2;
    const PixelSet want = reference_capsule(a, b, radius, clip);
    // With and without the table of disc rows (used only for points on its grid).
    for (const bool table : {false, true}) {
      Collector got(clip);
      capsule_spans(Capsule(a, b, radius,
                            table ? chords.for_radius(radius) : std::span<const std::int32_t>{}),
                    clip, got);
      EXPECT_EQ(got.repeats, 0);
      ASSERT_EQ(got.pixels, want) << "a " << a.x << "," << a.y << " b " << b.x << "," << b.y
                                  << " w " << w << " table " << table;
    }
  }
}

TEST(CapsuleSpans, LongAndSteepSegmentsAtTheCoordinateLimit) {
  const Rect clip{0, 0, 30, 30};
  const SubPoint cases[][2] = {
      {{-kMaxCoord * kSub, 5 * kSub}, {kMaxCoord * kSub, 25 * kSub}},
      {{-kMaxCoord * kSub, -kMaxCoord * kSub}, {kMaxCoord * kSub, kMaxCoord * kSub}},
      {{13 * kSub + 3, -kMaxCoord * kSub}, {14 * kSub, kMaxCoord * kSub}},
  };
  for (const auto& c : cases) {
    for (const std::int64_t radius : {std::int64_t{8}, std::int64_t{40}, std::int64_t{4096 * 8}}) {
      Collector got(clip);
      capsule_spans(Capsule(c[0], c[1], radius), clip, got);
      // The reference squares the distance and would overflow here; check the row
      // runs against the line's own geometry instead: each row's run is centred on
      // the line within a pixel and is non-empty.
      const double dx = static_cast<double>(c[1].x - c[0].x);
      const double dy = static_cast<double>(c[1].y - c[0].y);
      for (int y = 0; y < 30; ++y) {
        const double cy = y * kSub + kSub / 2.0;
        const double cx = c[0].x + dx * (cy - c[0].y) / dy;
        const double centre_px = (cx - kSub / 2.0) / kSub;
        if (centre_px < 2 || centre_px > 27) continue;
        EXPECT_TRUE(got.pixels.count({static_cast<int>(std::lround(centre_px)), y}))
            << "row " << y << " radius " << radius;
      }
    }
  }
}

TEST(ThinLineSpans, MatchReferenceForRandomLinesAndClips) {
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> coord(-10, 40);
  for (int round = 0; round < 5000; ++round) {
    const Point a{coord(rng), coord(rng)};
    const Point b{coord(rng), coord(rng)};
    const Rect clip{coord(rng) / 4, coord(rng) / 4, 26 + coord(rng) / 4, 22 + coord(rng) / 4};
    Collector got(clip);
    thin_line_spans(a, b, clip, got);
    EXPECT_EQ(got.repeats, 0);
    ASSERT_EQ(got.pixels, reference_thin(a, b, clip))
        << a.x << "," << a.y << " -> " << b.x << "," << b.y;
  }
}

TEST(SpanSet, NormalizeMergesAndSubtractCutsPerRow) {
  // Without a row range, and with one whose runs are joined as they come in.
  for (const bool ranged : {false, true}) {
    SpanSet b;
    if (ranged) b.clear(1, 3);
    b.add(2, 5, 9);
    b.add(1, 0, 3);
    b.add(2, 0, 2);
    b.add(2, 2, 4);  // touches the run before it
    b.add(2, 8, 12);
    b.add(2, 3, 5);  // bridges the two runs of row 2
    b.add(3, 4, 4);  // empty, dropped
    b.add(7, 1, 2);  // outside the range
    b.normalize();
    EXPECT_EQ(std::vector<Span>(b.spans().begin(), b.spans().end()),
              (std::vector<Span>{{1, 0, 3}, {2, 0, 12}, {7, 1, 2}}))
        << ranged;
  }

  SpanSet a;
  a.add(2, 5, 9);
  a.add(1, 0, 3);
  a.add(2, 0, 2);
  a.add(2, 2, 4);
  a.add(2, 8, 12);
  a.normalize();
  EXPECT_EQ(std::vector<Span>(a.spans().begin(), a.spans().end()),
            (std::vector<Span>{{1, 0, 3}, {2, 0, 4}, {2, 5, 12}}));

  SpanSet cut;
  cut.add(1, -5, 1);
  cut.add(2, 1, 2);
  cut.add(2, 3, 6);
  cut.add(2, 10, 11);
  cut.normalize();
  a.subtract(cut);
  EXPECT_EQ(std::vector<Span>(a.spans().begin(), a.spans().end()),
            (std::vector<Span>{{1, 1, 3}, {2, 0, 1}, {2, 2, 3}, {2, 6, 10}, {2, 11, 12}}));
}

TEST(Isqrt, ExactAroundPerfectSquaresAndWideProducts) {
  for (std::int64_t r : {0LL, 1LL, 2LL, 3037000499LL, 1LL << 31}) {
    EXPECT_EQ(isqrt(r * r), r);
    if (r > 0) {
      EXPECT_EQ(isqrt(r * r - 1), r - 1);
    }
  }
  // (2^35 + 1)^2 does not fit in 64 bits.
  const std::int64_t big = (std::int64_t{1} << 35) + 1;
  EXPECT_EQ(isqrt_product(big, big), big);
  EXPECT_EQ(isqrt_product(big, big - 1), big - 1);
  EXPECT_EQ(isqrt_product(std::int64_t{1} << 40, std::int64_t{1} << 30), std::int64_t{1} << 35);
}

}  // namespace
}  // namespace lumidraw::gfx::raster
