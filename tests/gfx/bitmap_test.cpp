#include "gfx/bitmap.h"

#include <gtest/gtest.h>

namespace lumidraw::gfx {
namespace {

TEST(PixelConversion, SwapsRedAndBlue) {
  EXPECT_EQ(to_pixel(0x00112233u), 0x00332211u);
  EXPECT_EQ(to_color(0x00332211u), 0x00112233u);
  EXPECT_EQ(to_pixel(0xFF7F7F7Fu), 0x007F7F7Fu);  // flag bits never reach a pixel
}

TEST(PixelBuffer, RowsAreTopDownAndOutOfRangeAccessIsHarmless) {
  Bitmap32 b(3, 2, 7);
  ASSERT_EQ(b.row(0).size(), 3u);
  b.row(1)[2] = 9;
  EXPECT_EQ(b.pixel(2, 1), 9u);
  EXPECT_EQ(b.pixels()[5], 9u);
  EXPECT_TRUE(b.row(-1).empty());
  EXPECT_TRUE(b.row(2).empty());
  EXPECT_EQ(b.pixel(3, 0), 0u);
  EXPECT_EQ(b.pixel(-1, 0), 0u);
  b.set_pixel(-1, 0, 1);
  b.set_pixel(0, 2, 1);
  Bitmap32 want(3, 2, 7);
  want.row(1)[2] = 9;
  EXPECT_EQ(b, want);
}

TEST(PixelBuffer, ResizeKeepsSharedAreaAndRebuildsRows) {
  Bitmap8 b(2, 2);
  b.row(0)[0] = 1;
  b.row(0)[1] = 2;
  b.row(1)[0] = 3;
  b.row(1)[1] = 4;
  b.resize(3, 1, 9);
  ASSERT_EQ(b.width(), 3);
  ASSERT_EQ(b.height(), 1);
  EXPECT_EQ(b.pixel(0, 0), 1);
  EXPECT_EQ(b.pixel(1, 0), 2);
  EXPECT_EQ(b.pixel(2, 0), 9);
  EXPECT_TRUE(b.row(1).empty());

  b.resize(-5, 4);
  EXPECT_TRUE(b.empty());
  EXPECT_EQ(b.width(), 0);
  EXPECT_EQ(b.height(), 0);
  EXPECT_TRUE(b.row(0).empty());
}

TEST(PixelBuffer, FillRectIsHalfOpenAndClipped) {
  MaskBitmap m(4, 3);
  m.fill_rect({-2, 1, 2, 9}, 1);
  const std::uint8_t want[3][4] = {{0, 0, 0, 0}, {1, 1, 0, 0}, {1, 1, 0, 0}};
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(m.pixel(x, y), want[y][x]) << x << "," << y;
  }
}

TEST(Bitmap8, GreyPaletteAndNearestIndex) {
  Bitmap8 b(1, 1);
  EXPECT_EQ(b.palette()[0], 0x000000u);
  EXPECT_EQ(b.palette()[0x80], 0x808080u);
  EXPECT_EQ(b.palette()[255], 0xFFFFFFu);
  EXPECT_EQ(b.nearest_index(0x404040), 0x40);
  EXPECT_EQ(b.nearest_index(0x0000FF), 0x55);  // (255,0,0) is nearest to grey 85

  Palette colours{};  // all black but three entries
  colours[7] = to_pixel(0x0000FF);
  colours[9] = to_pixel(0x00FF00);
  colours[200] = to_pixel(0x0000FF);  // a duplicate: the lower index wins
  b.set_palette(colours);
  EXPECT_EQ(b.nearest_index(0x1010E0), 7);
  EXPECT_EQ(b.nearest_index(0x20C020), 9);
  EXPECT_EQ(b.nearest_index(0x101010), 0);
}

}  // namespace
}  // namespace lumidraw::gfx
