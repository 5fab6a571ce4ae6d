#include <gtest/gtest.h>

#include "canvas_fixture.h"

namespace lumidraw::gfx {
namespace {

using testing::as_text;
using testing::Fixture;
using testing::Picture;

TEST(CanvasLine, OnePixelLineLeavesOutItsEndPoint) {
  Fixture f(7, 4, 1);
  f.canvas.move_to({0, 0});
  f.canvas.line_to({5, 2});
  EXPECT_EQ(as_text(f.buffer), (Picture{"##.....",  //
                                        "..##...",  //
                                        "....#..",  //
                                        "......."}));
  EXPECT_EQ(f.canvas.position(), (Point{5, 2}));

  // Chained lines set each joint once; a zero-length line sets nothing.
  Fixture chain(6, 3, 1);
  chain.canvas.pen().mode = PenMode::kXor;
  chain.canvas.move_to({0, 1});
  chain.canvas.line_to({3, 1});
  chain.canvas.line_to({3, 1});
  chain.canvas.line_to({5, 1});
  chain.canvas.line_to({5, 0});
  EXPECT_EQ(as_text(chain.buffer), (Picture{"......",  //
                                            "######",  //
                                            "......"}));
}

TEST(CanvasLine, OnePixelLinesInEveryDirection) {
  struct Case {
    Point a, b;
    Picture want;
  };
  const Case cases[] = {
      {{4, 0}, {0, 0}, {".####", ".....", "....."}}, {{0, 0}, {0, 2}, {"#....", "#....", "....."}},
      {{4, 2}, {0, 0}, {".#...", "..##.", "....#"}},  // halves round away from the start
      {{0, 2}, {2, 0}, {".....", ".#...", "#...."}}, {{1, 0}, {2, 2}, {".#...", "..#..", "....."}},
  };
  for (const Case& c : cases) {
    Fixture f(5, 3, 1);
    f.canvas.move_to(c.a);
    f.canvas.line_to(c.b);
    EXPECT_EQ(as_text(f.buffer), c.want)
        << c.a.x << "," << c.a.y << " -> " << c.b.x << "," << c.b.y;
  }
}

TEST(CanvasLine, WideDotsAreRound) {
  struct Case {
    int width;
    Picture want;
  };
  // Odd widths centre on the pixel (3,3), even ones on its top-left corner.
  const Case cases[] = {
      {2, {".......", ".......", "..##...", "..##...", ".......", ".......", "......."}},
      {3, {".......", ".......", "..###..", "..###..", "..###..", ".......", "......."}},
      {4, {".......", "..##...", ".####..", ".####..", "..##...", ".......", "......."}},
      {5, {".......", "..###..", ".#####.", ".#####.", ".#####.", "..###..", "......."}},
      {7, {"..###..", ".#####.", "#######", "#######", "#######", ".#####.", "..###.."}},
  };
  for (const Case& c : cases) {
    Fixture f(7, 7, c.width);
    f.canvas.move_to({3, 3});
    f.canvas.line_to({3, 3});
    EXPECT_EQ(as_text(f.buffer), c.want) << "width " << c.width;
  }
}

TEST(CanvasLine, WideLinesHaveRoundCapsAtBothEnds) {
  Fixture five(12, 7, 5);
  five.canvas.move_to({3, 3});
  five.canvas.line_to({8, 3});
  // The dots of width 5 at both ends (columns 1-5 and 6-10) joined by the band.
  EXPECT_EQ(as_text(five.buffer), (Picture{"............",  //
                                           "..########..",  //
                                           ".##########.",  //
                                           ".##########.",  //
                                           ".##########.",  //
                                           "..########..",  //
                                           "............"}));

  Fixture two(8, 4, 2);
  two.canvas.move_to({2, 2});
  two.canvas.line_to({5, 2});
  EXPECT_EQ(as_text(two.buffer), (Picture{"........",  //
                                          ".#####..",  //
                                          ".#####..",  //
                                          "........"}));
}

TEST(CanvasLine, DiagonalWideLine) {
  Fixture f(9, 9, 3);
  f.canvas.move_to({2, 2});
  f.canvas.line_to({6, 6});
  // Pixel centres within 1.5 of the segment (2.5,2.5)-(6.5,6.5).
  EXPECT_EQ(as_text(f.buffer), (Picture{".........",  //
                                        ".###.....",  //
                                        ".####....",  //
                                        ".#####...",  //
                                        "..#####..",  //
                                        "...#####.",  //
                                        "....####.",  //
                                        ".....###.",  //
                                        "........."}));
}

TEST(CanvasLine, ClearPenDrawsNothingButMoves) {
  Fixture f(4, 4, 3);
  f.canvas.pen().style = PenStyle::kClear;
  f.canvas.line_to({3, 3});
  EXPECT_EQ(as_text(f.buffer), (Picture{"....", "....", "....", "...."}));
  EXPECT_EQ(f.canvas.position(), (Point{3, 3}));
}

TEST(CanvasLine, LinesFarOutsideTheBufferAreClippedQuickly) {
  Fixture thin(5, 3, 1);
  thin.canvas.move_to({-200000, 1});
  thin.canvas.line_to({200000, 1});
  EXPECT_EQ(as_text(thin.buffer), (Picture{".....", "#####", "....."}));

  Fixture wide(5, 3, 3);
  wide.canvas.move_to({-2000000000, 1});  // clamped, no overflow
  wide.canvas.line_to({2000000000, 1});
  EXPECT_EQ(as_text(wide.buffer), (Picture{"#####", "#####", "#####"}));
}

TEST(CanvasLine, DashedPenAlternatesDashesWithRoundEnds) {
  Fixture f(42, 7, 2);
  f.canvas.pen().style = PenStyle::kDash;
  f.canvas.pen().dash = {6, 6};
  f.canvas.move_to({2, 4});
  f.canvas.line_to({40, 4});
  // Dashes cover 2-8, 14-20, 26-32, 38-40 of the line; round ends of radius 1
  // widen each by a pixel on both sides (width 2 centres on pixel corners).
  const std::string row = ".########....########....########....####.";
  EXPECT_EQ(as_text(f.buffer),
            (Picture{std::string(42, '.'), std::string(42, '.'), std::string(42, '.'), row, row,
                     std::string(42, '.'), std::string(42, '.')}));
}

TEST(CanvasLine, DashPatternRunsOnAcrossCornersAndRestartsPerFigure) {
  Fixture f(12, 12, 1);
  f.canvas.pen().style = PenStyle::kDash;
  f.canvas.pen().dash = {3, 2};
  const Point corner[] = {{1, 1}, {5, 1}, {5, 9}};
  f.canvas.polyline(corner);
  // Width 1: each dash covers its length plus one pixel. Along the path: 0-3 on,
  // 3-5 off (the corner at 4), 5-8 on, ...
  EXPECT_EQ(as_text(f.buffer), (Picture{"............",  //
                                        ".####.......",  //
                                        ".....#......",  //
                                        ".....#......",  //
                                        ".....#......",  //
                                        ".....#......",  //
                                        "............",  //
                                        ".....#......",  //
                                        ".....#......",  //
                                        ".....#......",  //
                                        "............",  //
                                        "............"}));
}

TEST(CanvasLine, ZeroDashesAreDots) {
  Fixture f(12, 3, 1);
  f.canvas.pen().style = PenStyle::kDash;
  f.canvas.pen().dash = {0, 3};
  f.canvas.move_to({1, 1});
  f.canvas.line_to({10, 1});
  EXPECT_EQ(as_text(f.buffer), (Picture{"............",  //
                                        ".#..#..#..#.",  //
                                        "............"}));
}

TEST(CanvasLine, EmptyDashPatternIsSolid) {
  Fixture dashed(8, 3, 1);
  dashed.canvas.pen().style = PenStyle::kDash;
  dashed.canvas.move_to({1, 1});
  dashed.canvas.line_to({6, 1});
  // Geometric width 1: both ends included.
  EXPECT_EQ(as_text(dashed.buffer), (Picture{"........", ".######.", "........"}));
}

}  // namespace
}  // namespace lumidraw::gfx
