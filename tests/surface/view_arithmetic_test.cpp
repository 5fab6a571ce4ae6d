#include "surface/view_arithmetic.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "surface/rounding.h"

namespace {

using lumidraw::gfx::Rect;
using lumidraw::surface::ComposeBox;

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
  const struct {
    double v;
    int expected;
  } cases[] = {{0.5, 0},   {1.5, 2},    {2.5, 2},    {-0.5, 0},     {-1.5, -2},
               {-2.5, -2}, {2.4999, 2}, {2.5001, 3}, {-2.5001, -3}, {7.0, 7}};
  for (const auto& c : cases) {
    EXPECT_EQ(lumidraw::surface::round_half_even(c.v), c.expected) << c.v;
  }
}

TEST(Rounding, ConversionSaturatesInsteadOfOverflowing) {
  EXPECT_EQ(lumidraw::surface::round_half_even(1e300), INT_MAX);
  EXPECT_EQ(lumidraw::surface::round_half_even(-std::numeric_limits<double>::infinity()), INT_MIN);
  EXPECT_EQ(lumidraw::surface::round_half_even(std::nan("")), 0);
}

TEST(ComposeBox, MarginIsHalfThePenWidthPlusThree) {
  EXPECT_EQ(lumidraw::surface::compose_margin(0), 3);
  EXPECT_EQ(lumidraw::surface::compose_margin(1), 3);
  EXPECT_EQ(lumidraw::surface::compose_margin(4), 5);
  EXPECT_EQ(lumidraw::surface::compose_margin(16), 11);
  EXPECT_EQ(lumidraw::surface::compose_margin(37), 21);
  EXPECT_EQ(lumidraw::surface::compose_margin(-1), 3);
}

TEST(ComposeBox, ClampsInTheGivenOrderAndCutsToThePicture) {
  const struct {
    const char* name;
    int minX, minY, maxX, maxY, margin, w, h;
    ComposeBox expected;
    Rect walked;
  } cases[] = {
      {"inside", 10, 8, 12, 9, 5, 30, 20, {10, 8, 12, 9, 5, false}, {5, 3, 17, 14}},
      {"top-left corner", 0, 0, 1, 1, 5, 30, 20, {5, 5, 5, 5, 5, false}, {0, 0, 10, 10}},
      {"beyond the bottom-right",
       29,
       19,
       40,
       30,
       5,
       30,
       20,
       {25, 15, 25, 15, 5, false},
       {20, 10, 30, 20}},
      {"negative points", -5, -5, -3, -3, 5, 30, 20, {5, 5, 5, 5, 5, false}, {0, 0, 10, 10}},
      // Narrower than twice the margin: min ends at W - margin, max at margin, and the
      // walk is cut to the picture.
      {"narrow picture", 2, 1, 3, 2, 8, 6, 4, {-2, -4, 8, 8, 8, false}, {0, 0, 6, 4}},
  };
  for (const auto& c : cases) {
    const ComposeBox box =
        lumidraw::surface::clamp_compose_box(c.minX, c.minY, c.maxX, c.maxY, c.margin, c.w, c.h);
    EXPECT_EQ(box, c.expected) << c.name;
    EXPECT_EQ(lumidraw::surface::compose_area(box, c.w, c.h), c.walked) << c.name;
  }
}

TEST(ShowRect, SnapsOutwardToBlocksOfTen) {
  const struct {
    ComposeBox box;
    Rect expected;
  } cases[] = {
      {{13, 13, 14, 14, 3, false}, {10, 10, 20, 20}},
      // maxX + margin on a multiple of 10 still takes the next block.
      {{15, 24, 25, 35, 5, false}, {10, 10, 40, 50}},
      {{2, 2, 3, 3, 5, false}, {0, 0, 10, 10}},
      // div rounds toward zero: -13 becomes -10.
      {{-8, 5, 8, 5, 5, false}, {-10, 0, 20, 20}},
  };
  for (const auto& c : cases) EXPECT_EQ(lumidraw::surface::show_source(c.box), c.expected);
  EXPECT_TRUE(lumidraw::surface::show_source(ComposeBox{}).empty());
}

TEST(View, MapsEdgesByRoundedScalePlusOffset) {
  EXPECT_EQ(lumidraw::surface::map_rect({10, 10, 20, 20}, 2.0, 5, -3), (Rect{25, 17, 45, 37}));
  // 1.25 * 10 = 12.5 -> 12, 1.25 * 30 = 37.5 -> 38.
  EXPECT_EQ(lumidraw::surface::map_rect({10, 30, 30, 10}, 1.25, 0, 0), (Rect{12, 38, 38, 12}));
}

TEST(View, FixedOffsetCentresASmallPictureAndClosesTheFarGap) {
  const struct {
    const char* name;
    int offset, client, size;
    double scale;
    int expected;
  } cases[] = {
      {"centred", 0, 10, 4, 1.0, 3},
      {"centred whatever the old offset", 7, 10, 5, 1.0, 2},
      {"centred, scaled", 0, 10, 3, 2.25, 1},                   // round(3.25) = 3, >> 1
      {"centring rounds half to even", 0, 11, 3, 2.5, 2},       // round(3.5) = 4
      {"centring rounds half down to even", 0, 10, 3, 2.5, 1},  // round(2.5) = 2
      {"positive offset of a large picture", 12, 60, 100, 1.0, 0},
      {"gap at the far edge", -70, 60, 100, 1.0, -40},
      {"no gap", -10, 60, 100, 1.0, -10},
      {"gap at the far edge, scaled", -70, 60, 41, 2.3, -34},  // 60 - round(94.3)
  };
  for (const auto& c : cases) {
    EXPECT_EQ(lumidraw::surface::fit_offset(c.offset, c.client, c.size, c.scale), c.expected)
        << c.name;
  }
}

TEST(View, VisibleSpanIsAlignedToTenPicturePixels) {
  const struct {
    int offset, client, size;
    double scale;
    int first, last;
  } cases[] = {
      {3, 10, 4, 1.0, 0, 4},          {-40, 60, 100, 1.0, 40, 100},
      {-35, 60, 100, 1.0, 30, 100},  // min(100, 80 + 30)
      {-35, 60, 200, 1.0, 30, 110},   {0, 60, 200, 1.0, 0, 80},
      {-123, 100, 500, 2.3, 50, 110},  // -trunc(-5.35) * 10; trunc(6.35) * 10 + 50
  };
  for (const auto& c : cases) {
    EXPECT_EQ(lumidraw::surface::visible_span(c.offset, c.client, c.size, c.scale),
              std::make_pair(c.first, c.last))
        << c.offset << " " << c.client << " " << c.size << " " << c.scale;
  }
}

}  // namespace
