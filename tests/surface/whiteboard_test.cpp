#include "surface/whiteboard.h"

#include <gtest/gtest.h>

namespace {

using lumidraw::gfx::Bitmap32;
using lumidraw::gfx::Pixel32;

constexpr Pixel32 kBoard = 0xFFFFFF;
constexpr Pixel32 kLine = 0xBBBBBB;

TEST(WhiteBoard, HorizontalLinesOneSpacingApart) {
  Bitmap32 board(8, 120, 0x123456);
  WhiteBoardPaint(board, 8, 120, TWhiteBoardLook{0xFFFFFF, 0xBBBBBB, true, false, 50, 50});
  // Lines at 50 and 100; the one at 150 falls outside.
  for (int y = 0; y < 120; ++y) {
    for (int x = 0; x < 8; ++x) {
      ASSERT_EQ(board.pixel(x, y), (y == 50 || y == 100) ? kLine : kBoard) << x << "," << y;
    }
  }
}

TEST(WhiteBoard, VerticalLinesAndColourOrder) {
  Bitmap32 board(25, 3);
  // Colours are 0x00BBGGRR; pixels 0x00RRGGBB.
  WhiteBoardPaint(board, 25, 3, TWhiteBoardLook{0x00112233, 0x00445566, false, true, 50, 10});
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 25; ++x) {
      ASSERT_EQ(board.pixel(x, y), (x == 10 || x == 20) ? 0x665544u : 0x332211u) << x << "," << y;
    }
  }
}

TEST(WhiteBoard, SpacingBelowOneDrawsNoLines) {
  for (const int spacing : {0, -5}) {
    Bitmap32 board(6, 6);
    WhiteBoardPaint(board, 6, 6, TWhiteBoardLook{0xFFFFFF, 0xBBBBBB, true, true, spacing, spacing});
    EXPECT_EQ(board, Bitmap32(6, 6, kBoard)) << spacing;
  }
}

TEST(WhiteBoard, HugeSpacingDrawsNothingAndEnds) {
  Bitmap32 board(6, 6);
  WhiteBoardPaint(board, 6, 6,
                  TWhiteBoardLook{0xFFFFFF, 0xBBBBBB, true, true, 2147483647, 2147483647});
  EXPECT_EQ(board, Bitmap32(6, 6, kBoard));
}

}  // namespace
