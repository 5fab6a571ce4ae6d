#include "gfx/copy.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace lumidraw::gfx {
namespace {

// A buffer whose pixel at (x, y) is 10 y + x + 1, so every source pixel is distinct.
Bitmap8 numbered(int w, int h) {
  Bitmap8 b(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) b.row(y)[x] = static_cast<std::uint8_t>(10 * y + x + 1);
  }
  return b;
}

std::vector<std::vector<int>> rows_of(const Bitmap8& b) {
  std::vector<std::vector<int>> out;
  for (int y = 0; y < b.height(); ++y) out.emplace_back(b.row(y).begin(), b.row(y).end());
  return out;
}

TEST(Copy, OffsetCopyClipsAtEveryEdge) {
  Bitmap8 dst(4, 3);
  copy(dst, {2, 1}, numbered(3, 2), {1, 0, 3, 2});
  EXPECT_EQ(rows_of(dst),
            (std::vector<std::vector<int>>{{0, 0, 0, 0}, {0, 0, 2, 3}, {0, 0, 12, 13}}));

  Bitmap8 clipped(3, 3);
  copy(clipped, {-1, 2}, numbered(3, 2));  // left and bottom parts fall outside
  EXPECT_EQ(rows_of(clipped), (std::vector<std::vector<int>>{{0, 0, 0}, {0, 0, 0}, {2, 3, 0}}));

  Bitmap8 from_outside(2, 2);
  copy(from_outside, {0, 0}, numbered(3, 2), {-1, -1, 1, 1});  // only source (0,0) exists
  EXPECT_EQ(rows_of(from_outside), (std::vector<std::vector<int>>{{0, 0}, {0, 1}}));
}

TEST(Copy, WithinOneBufferReadsTheSourceBeforeWriting) {
  Bitmap8 b = numbered(4, 3);
  copy(b, {1, 1}, b, {0, 0, 3, 2});  // down and right over itself
  EXPECT_EQ(rows_of(b),
            (std::vector<std::vector<int>>{{1, 2, 3, 4}, {11, 1, 2, 3}, {21, 11, 12, 13}}));

  Bitmap8 s = numbered(4, 1);
  stretch_copy(s, {0, 0, 4, 1}, s, {1, 0, 3, 1});  // 2 -> 4 columns over itself
  EXPECT_EQ(rows_of(s), (std::vector<std::vector<int>>{{2, 2, 3, 3}}));
}

TEST(Copy, OffsetsNearTheIntLimitsLandWhereTheyShould) {
  Bitmap8 dst(10, 10);
  copy(dst, {INT_MAX, 0}, numbered(5, 5), {INT_MIN, 0, 5, 5});  // 2^32 - 1 columns right
  copy(dst, {INT_MAX - 2, 0}, numbered(5, 5));
  copy(dst, {0, 0}, numbered(5, 5), {INT_MIN, 0, 5, 5});  // src column 0 lands at 2^31
  EXPECT_EQ(dst, Bitmap8(10, 10));

  // Source column 0 is 2^31 columns into `from`, and `at` is as far left: it lands at 0.
  copy(dst, {INT_MIN, 1}, numbered(5, 5), {INT_MIN, 0, 2, 1});
  Bitmap8 want(10, 10);
  want.set_pixel(0, 1, 1);
  want.set_pixel(1, 1, 2);
  EXPECT_EQ(dst, want);
}

TEST(StretchCopy, EnlargesByRepeatingPixels) {
  Bitmap8 dst(6, 4);
  stretch_copy(dst, {0, 0, 6, 4}, numbered(3, 2), {0, 0, 3, 2});
  EXPECT_EQ(rows_of(dst), (std::vector<std::vector<int>>{{1, 1, 2, 2, 3, 3},
                                                         {1, 1, 2, 2, 3, 3},
                                                         {11, 11, 12, 12, 13, 13},
                                                         {11, 11, 12, 12, 13, 13}}));
}

TEST(StretchCopy, RectanglesWiderThanIntMapExactly) {
  // `to` is 2^32 - 1 columns wide; buffer columns 0..3 sit just right of its middle,
  // over source column 5 of 10.
  Bitmap8 wide_to(4, 2);
  stretch_copy(wide_to, {INT_MIN, 0, INT_MAX, 2}, numbered(10, 2), {0, 0, 10, 2});
  EXPECT_EQ(rows_of(wide_to), (std::vector<std::vector<int>>{{6, 6, 6, 6}, {16, 16, 16, 16}}));

  // `from` is 4e9 columns wide: each destination column spans 4e8 source columns, and
  // only the middle one of an odd count lands on the source.
  Bitmap8 wide_from(10, 1, 99);
  stretch_copy(wide_from, {0, 0, 10, 1}, numbered(10, 1), {-2000000000, 0, 2000000000, 1});
  EXPECT_EQ(wide_from, Bitmap8(10, 1, 99));
  Bitmap8 one(1, 1);
  stretch_copy(one, {0, 0, 1, 1}, numbered(10, 1), {-2000000000, 0, 2000000000, 1});
  EXPECT_EQ(one.pixel(0, 0), 1);
}

TEST(StretchCopy, ShrinksByTakingThePixelUnderEachCentre) {
  Bitmap8 dst(2, 1);
  // 5 -> 2 columns: centres at source 1.25 and 3.75.
  stretch_copy(dst, {0, 0, 2, 1}, numbered(5, 1), {0, 0, 5, 1});
  EXPECT_EQ(rows_of(dst), (std::vector<std::vector<int>>{{2, 4}}));
}

TEST(StretchCopy, ClipsDestinationAndSkipsSamplesOutsideTheSource) {
  Bitmap8 dst(4, 2, 99);
  // Destination starts left of the buffer; the source rectangle reaches past src
  // to the right and below.
  stretch_copy(dst, {-2, 0, 6, 2}, numbered(3, 1), {0, 0, 4, 2});
  // Columns -2..5 sample source columns 0,0,1,1,2,2,3,3: -2 and -1 are clipped,
  // column 3 and row 1 are outside the source.
  EXPECT_EQ(rows_of(dst), (std::vector<std::vector<int>>{{2, 2, 3, 3}, {99, 99, 99, 99}}));

  Bitmap8 untouched(2, 2, 5);
  stretch_copy(untouched, {0, 0, 0, 2}, numbered(2, 2), {0, 0, 2, 2});
  stretch_copy(untouched, {0, 0, 2, 2}, numbered(2, 2), {2, 0, 1, 2});
  EXPECT_EQ(rows_of(untouched), (std::vector<std::vector<int>>{{5, 5}, {5, 5}}));
}

// Plain per-pixel reference of the mapping, to hold the column-table path to it.
Bitmap32 reference_stretch(Bitmap32 dst, Rect to, const Bitmap32& src, Rect from) {
  for (int y = to.top; y < to.bottom; ++y) {
    for (int x = to.left; x < to.right; ++x) {
      const double cx = (x - to.left + 0.5) * from.width() / to.width();
      const double cy = (y - to.top + 0.5) * from.height() / to.height();
      const int sx = from.left + static_cast<int>(cx);
      const int sy = from.top + static_cast<int>(cy);
      if (dst.contains(x, y) && src.contains(sx, sy)) dst.set_pixel(x, y, src.pixel(sx, sy));
    }
  }
  return dst;
}

TEST(StretchCopy, MatchesPlainReferenceOverManyScales) {
  Bitmap32 src(17, 13);
  for (int i = 0; i < 17 * 13; ++i) src.pixels()[i] = 0x010203u * i;
  const Rect froms[] = {{0, 0, 17, 13}, {3, 2, 10, 9}, {-2, -3, 19, 12}, {5, 5, 6, 6}};
  const Rect tos[] = {{0, 0, 40, 30}, {-5, 3, 21, 19}, {2, 1, 9, 8}, {1, 1, 38, 2}, {0, 0, 1, 1}};
  for (const Rect& from : froms) {
    for (const Rect& to : tos) {
      Bitmap32 start(32, 24, 0xABCDEFu);
      Bitmap32 fast = start;
      stretch_copy(fast, to, src, from);
      EXPECT_EQ(fast, reference_stretch(start, to, src, from))
          << "from " << from.left << "," << from.top << " to " << to.left << "," << to.top;
    }
  }
}

}  // namespace
}  // namespace lumidraw::gfx
