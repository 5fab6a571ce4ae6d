#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>

#include "canvas_fixture.h"

namespace lumidraw::gfx {
namespace {

using testing::as_text;
using testing::Fixture;
using testing::Picture;

TEST(CanvasRectangle, OutlineWithPenInsideWithBrush) {
  Fixture f(7, 6, 1);
  f.canvas.rectangle({1, 1, 6, 5});
  EXPECT_EQ(as_text(f.buffer), (Picture{".......",  //
                                        ".#####.",  //
                                        ".#AAA#.",  //
                                        ".#AAA#.",  //
                                        ".#####.",  //
                                        "......."}));

  // Reversed corners give the same rectangle; a clear brush leaves the inside.
  Fixture hollow(7, 6, 1);
  hollow.canvas.brush().style = BrushStyle::kClear;
  hollow.canvas.rectangle({6, 5, 1, 1});
  EXPECT_EQ(as_text(hollow.buffer), (Picture{".......",  //
                                             ".#####.",  //
                                             ".#...#.",  //
                                             ".#...#.",  //
                                             ".#####.",  //
                                             "......."}));
}

TEST(CanvasRectangle, ClearPenFillsTheWholeBoxAndEmptyBoxesDrawNothing) {
  Fixture f(5, 4, 1);
  f.canvas.pen().style = PenStyle::kClear;
  f.canvas.rectangle({1, 1, 4, 3});
  f.canvas.pen().style = PenStyle::kSolid;
  f.canvas.rectangle({0, 0, 0, 4});
  f.canvas.rectangle({2, 3, 5, 3});
  EXPECT_EQ(as_text(f.buffer), (Picture{".....", ".AAA.", ".AAA.", "....."}));
}

TEST(CanvasRectangle, WideOutlineFollowsTheBorderRing) {
  Fixture f(10, 9, 3);
  f.canvas.rectangle({2, 2, 8, 7});
  // Width 3 about the ring through pixel centres (2,2)-(7,6), round corners.
  EXPECT_EQ(as_text(f.buffer), (Picture{"..........",  //
                                        ".########.",  //
                                        ".########.",  //
                                        ".########.",  //
                                        ".###AA###.",  //
                                        ".########.",  //
                                        ".########.",  //
                                        ".########.",  //
                                        ".........."}));
}

TEST(CanvasEllipse, OutlineAndInsideOfSmallBoxes) {
  Fixture f(8, 8, 1);
  f.canvas.ellipse({1, 1, 7, 7});
  EXPECT_EQ(as_text(f.buffer), (Picture{"........",  //
                                        "..####..",  //
                                        ".#AAAA#.",  //
                                        ".#AAAA#.",  //
                                        ".#AAAA#.",  //
                                        ".#AAAA#.",  //
                                        "..####..",  //
                                        "........"}));

  Fixture wide(11, 5, 1);
  wide.canvas.ellipse({0, 0, 11, 5});
  EXPECT_EQ(as_text(wide.buffer), (Picture{"..#######..",  //
                                           "##AAAAAAA##",  //
                                           "#AAAAAAAAA#",  //
                                           "##AAAAAAA##",  //
                                           "..#######.."}));
}

// The picture mirrored left-right and top-bottom about the box's middle lines.
Bitmap8 mirrored(const Bitmap8& b, bool horizontal) {
  Bitmap8 out(b.width(), b.height());
  for (int y = 0; y < b.height(); ++y) {
    for (int x = 0; x < b.width(); ++x) {
      out.set_pixel(horizontal ? b.width() - 1 - x : x, horizontal ? y : b.height() - 1 - y,
                    b.pixel(x, y));
    }
  }
  return out;
}

TEST(CanvasEllipse, IsSymmetricAboutBothAxes) {
  for (const int width : {1, 2, 3, 6}) {
    for (const bool brush : {false, true}) {
      for (const Size box : {Size{21, 21}, Size{20, 13}, Size{7, 30}, Size{2, 9}, Size{40, 3}}) {
        Fixture f(box.width + 12, box.height + 12, width);
        if (!brush) f.canvas.brush().style = BrushStyle::kClear;
        f.canvas.ellipse({6, 6, 6 + box.width, 6 + box.height});
        EXPECT_EQ(f.buffer, mirrored(f.buffer, true))
            << "width " << width << " box " << box.width << "x" << box.height;
        EXPECT_EQ(f.buffer, mirrored(f.buffer, false))
            << "width " << width << " box " << box.width << "x" << box.height;
      }
    }
  }
}

// Per pixel: inside when the centre is, u^2 / w^2 + v^2 / h^2 <= 1 in half pixels;
// outline when inside with a 4-neighbour outside.
TEST(CanvasEllipse, MatchesPerPixelDefinition) {
  for (int w = 1; w <= 14; ++w) {
    for (int h = 1; h <= 11; h += 2) {
      const Rect box{2, 3, 2 + w, 3 + h};
      const auto inside = [&](int x, int y) {
        if (!box.contains({x, y})) return false;
        const std::int64_t u = 2 * x + 1 - box.left - box.right;
        const std::int64_t v = 2 * y + 1 - box.top - box.bottom;
        return u * u * h * h + v * v * w * w <= std::int64_t{w} * w * h * h;
      };
      Bitmap8 want(20, 16);
      for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 20; ++x) {
          if (!inside(x, y)) continue;
          const bool edge =
              !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
          want.set_pixel(x, y, edge ? 1 : 2);
        }
      }
      Fixture f(20, 16, 1);
      f.canvas.ellipse(box);
      EXPECT_EQ(as_text(f.buffer), as_text(want)) << w << "x" << h;
    }
  }
}

TEST(CanvasEllipse, OneWideOutlineIsClosedAndThin) {
  Fixture f(40, 30, 1);
  f.canvas.brush().style = BrushStyle::kClear;
  f.canvas.ellipse({2, 3, 37, 27});
  // Every row between the top and bottom has exactly its two outermost pixels
  // (the flat top and bottom rows excepted), and every outline pixel touches
  // another one (8-neighbourhood), so the ring is closed.
  const auto pixels = testing::set_pixels(f.buffer);
  for (const auto& [x, y] : pixels) {
    int neighbours = 0;
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) neighbours += (dx || dy) && f.buffer.pixel(x + dx, y + dy);
    }
    EXPECT_GE(neighbours, 2) << x << "," << y;
  }
  EXPECT_EQ(f.buffer.pixel(2, 14), 1);   // left end of the middle row
  EXPECT_EQ(f.buffer.pixel(36, 14), 1);  // right end
  EXPECT_EQ(f.buffer.pixel(19, 3), 1);   // top
  EXPECT_EQ(f.buffer.pixel(19, 26), 1);  // bottom
  EXPECT_EQ(f.buffer.pixel(19, 14), 0);
}

// An outline of width w is w pixels thick where it crosses the box's middle lines,
// like a line of that pen; even widths lie half a pixel further in than odd ones.
TEST(CanvasEllipse, OutlineIsAsThickAsThePen) {
  struct Case {
    int width;
    int first;  // leftmost (and topmost) outline pixel
  };
  for (const Case c : {Case{1, 10}, Case{2, 10}, Case{3, 9}, Case{4, 9}, Case{5, 8}, Case{6, 8}}) {
    Fixture f(61, 61, c.width);
    f.canvas.brush().style = BrushStyle::kClear;
    f.canvas.ellipse({10, 10, 51, 51});  // middle row and column 30
    std::string row, column, want(61, '.');
    for (int i = 0; i < 61; ++i) {
      row += testing::pixel_char(f.buffer.pixel(i, 30));
      column += testing::pixel_char(f.buffer.pixel(30, i));
    }
    want.replace(static_cast<std::size_t>(c.first), static_cast<std::size_t>(c.width),
                 static_cast<std::size_t>(c.width), '#');
    want.replace(static_cast<std::size_t>(60 - c.first - (c.width - 1)),
                 static_cast<std::size_t>(c.width), static_cast<std::size_t>(c.width), '#');
    EXPECT_EQ(row, want) << "width " << c.width;
    EXPECT_EQ(column, want) << "width " << c.width;
  }

  // An arc through the right end: two pixels at width 2, as many as a line has.
  Fixture arc(61, 61, 2);
  arc.canvas.arc({10, 10, 51, 51}, {60, 60}, {60, 0});
  Fixture line(61, 61, 2);
  line.canvas.move_to({50, 20});
  line.canvas.line_to({50, 40});
  for (int x = 0; x < 61; ++x) {
    EXPECT_EQ(arc.buffer.pixel(x, 30), line.buffer.pixel(x, 30)) << x;
  }
}

TEST(CanvasArc, SweepsCounterClockwiseFromStartToEndRadial) {
  Fixture small(7, 5, 1);
  small.canvas.arc({0, 0, 7, 7}, {9, 3}, {3, -3});
  EXPECT_EQ(as_text(small.buffer), (Picture{"...##..",  //
                                            ".....#.",  //
                                            "......#",  //
                                            "......#",  //
                                            "......."}));

  Fixture quarter(21, 21, 1);
  // From the right (3 o'clock) counter-clockwise to the top (12 o'clock).
  quarter.canvas.arc({0, 0, 21, 21}, {30, 10}, {10, -10});
  Fixture whole(21, 21, 1);
  whole.canvas.brush().style = BrushStyle::kClear;
  whole.canvas.ellipse({0, 0, 21, 21});
  for (const auto& [x, y] : testing::set_pixels(quarter.buffer)) {
    EXPECT_GE(x, 10) << x << "," << y;
    EXPECT_LE(y, 10) << x << "," << y;
    EXPECT_EQ(whole.buffer.pixel(x, y), 1) << x << "," << y;
  }
  EXPECT_EQ(quarter.buffer.pixel(20, 10), 1);  // the start of the sweep
  EXPECT_EQ(quarter.buffer.pixel(10, 0), 1);   // its end
  EXPECT_EQ(quarter.buffer.pixel(17, 3), 1);   // on the way

  // The other way round covers the remaining three quarters.
  Fixture rest(21, 21, 1);
  rest.canvas.arc({0, 0, 21, 21}, {10, -10}, {30, 10});
  EXPECT_EQ(rest.buffer.pixel(0, 10), 1);
  EXPECT_EQ(rest.buffer.pixel(10, 20), 1);
  EXPECT_EQ(rest.buffer.pixel(17, 3), 0);
}

TEST(CanvasArc, EqualRadialsGiveTheWholeOutline) {
  for (const int width : {1, 4}) {
    Fixture arc(30, 30, width);
    arc.canvas.arc({3, 4, 27, 25}, {40, 2}, {40, 2});
    Fixture ellipse(30, 30, width);
    ellipse.canvas.brush().style = BrushStyle::kClear;
    ellipse.canvas.ellipse({3, 4, 27, 25});
    EXPECT_EQ(arc.buffer, ellipse.buffer) << "width " << width;
  }
}

TEST(CanvasArc, WideArcEndsInRoundCapsOnTheRadials) {
  Fixture f(31, 31, 5);
  f.canvas.arc({0, 0, 31, 31}, {40, 15}, {15, -40});
  // The centre line runs through the centres of the outermost pixels: the caps are
  // width-5 dots about pixels (30,15) and (15,0).
  EXPECT_EQ(f.buffer.pixel(30, 15), 1);
  EXPECT_EQ(f.buffer.pixel(28, 16), 1);  // inside the start cap
  EXPECT_EQ(f.buffer.pixel(29, 18), 0);  // beyond it
  EXPECT_EQ(f.buffer.pixel(15, 0), 1);
  EXPECT_EQ(f.buffer.pixel(13, 1), 1);  // inside the end cap
  EXPECT_EQ(f.buffer.pixel(12, 3), 0);
  EXPECT_EQ(f.buffer.pixel(8, 4), 0);  // the arc does not continue
}

TEST(CanvasBezier, StraightControlPolygonEqualsTheLine) {
  for (const int width : {1, 2, 5}) {
    Fixture curve(24, 12, width), line(24, 12, width);
    const Point pts[] = {{2, 6}, {6, 6}, {12, 6}, {19, 6}};
    curve.canvas.poly_bezier(pts);
    line.canvas.move_to({2, 6});
    line.canvas.line_to({19, 6});
    EXPECT_EQ(curve.buffer, line.buffer) << "width " << width;
    EXPECT_EQ(curve.canvas.position(), (Point{19, 6}));
  }
}

TEST(CanvasBezier, CurvePassesThroughItsEndPoints) {
  const Point pts[] = {{2, 20}, {2, 2}, {25, 2}, {25, 20}, {25, 28}, {10, 28}, {8, 25}};
  Fixture thin(30, 30, 1);
  thin.canvas.poly_bezier(pts);
  EXPECT_EQ(thin.buffer.pixel(2, 20), 1);   // start
  EXPECT_EQ(thin.buffer.pixel(25, 20), 1);  // joint of the two pieces
  EXPECT_EQ(thin.buffer.pixel(8, 25), 0);   // the final end is left out
  EXPECT_EQ(thin.buffer.pixel(2, 1), 0);    // no control point is drawn
  // The end is reached: one of its neighbours is the curve's last pixel.
  int near_end = 0;
  for (const Point n : {Point{9, 25}, Point{9, 26}, Point{8, 26}, Point{9, 24}}) {
    near_end += thin.buffer.pixel(n.x, n.y);
  }
  EXPECT_EQ(near_end, 1);

  Fixture wide(30, 30, 5);
  wide.canvas.poly_bezier(pts);
  Fixture dots(30, 30, 5);
  for (const Point p : {pts[0], pts[3], pts[6]}) {
    dots.canvas.move_to(p);
    dots.canvas.line_to(p);
  }
  for (const auto& [x, y] : testing::set_pixels(dots.buffer)) {
    EXPECT_EQ(wide.buffer.pixel(x, y), 1) << "cap pixel " << x << "," << y;
  }
  EXPECT_EQ(wide.buffer.pixel(5, 28), 0);  // beyond the end cap along the tangent
}

TEST(CanvasPolyline, RoundJoinsAndOnePixelEndRule) {
  const Point pts[] = {{1, 1}, {5, 1}, {5, 4}};
  Fixture thin(7, 6, 1);
  thin.canvas.polyline(pts);
  EXPECT_EQ(as_text(thin.buffer), (Picture{".......",  //
                                           ".#####.",  //
                                           ".....#.",  //
                                           ".....#.",  //
                                           ".......",  //
                                           "......."}));
  EXPECT_EQ(thin.canvas.position(), (Point{5, 4}));

  Fixture wide(9, 9, 3);
  wide.canvas.polyline(pts);
  EXPECT_EQ(as_text(wide.buffer), (Picture{"#######..",  //
                                           "#######..",  //
                                           "#######..",  //
                                           "....###..",  //
                                           "....###..",  //
                                           "....###..",  //
                                           ".........",  //
                                           ".........",  //
                                           "........."}));
}

TEST(CanvasPath, FiguresCloseAndRestart) {
  Path path;
  path.move_to({1, 1});
  path.line_to({4, 1});
  path.line_to({4, 3});
  path.close();
  path.move_to({6, 0});
  path.line_to({6, 0});  // a figure from a point to itself
  path.move_to({0, 4});  // a lone move draws nothing
  Fixture thin(8, 5, 1);
  thin.canvas.stroke_path(path);
  EXPECT_EQ(as_text(thin.buffer), (Picture{"........",  //
                                           ".####...",  //
                                           "..###...",  //
                                           "....#...",  //
                                           "........"}));
  Fixture wide(8, 5, 3);
  wide.canvas.stroke_path(path);
  EXPECT_EQ(wide.buffer.pixel(6, 0), 1);  // the point's dot
  EXPECT_EQ(wide.buffer.pixel(0, 4), 0);
}

TEST(CanvasPath, ClosedFigureOfTwoPointsKeepsBothAtWidthOne) {
  Path path;
  path.move_to({1, 1});
  path.line_to({5, 1});
  path.close();
  Fixture f(8, 3, 1);
  f.canvas.pen().mode = PenMode::kXor;  // a pixel touched twice would come back to 0
  f.canvas.stroke_path(path);
  EXPECT_EQ(as_text(f.buffer), (Picture{"........", ".#####..", "........"}));
}

TEST(CanvasText, GlyphMaskInTheFontColourAtTheBoxCorner) {
  const BlockGlyphSource glyphs;
  EXPECT_EQ(glyphs.extent("ab c", 5), (Size{8, 5}));
  EXPECT_EQ(glyphs.extent("", 5), (Size{0, 5}));

  Fixture f(10, 6, 1);
  EXPECT_EQ(f.canvas.text_extent("ab"), (Size{0, 0}));  // no glyph source yet
  f.canvas.font() = {&glyphs, 5, Color::index(3)};
  f.canvas.pen().mode = PenMode::kXor;  // text is copied whatever the pen mode
  f.buffer.fill_rect({0, 0, 10, 6}, 7);
  EXPECT_EQ(f.canvas.text_extent("a c"), (Size{6, 5}));
  f.canvas.text_out({5, 2}, "a c");
  EXPECT_EQ(as_text(f.buffer), (Picture{"FFFFFFFFFF",  //
                                        "FFFFFFFFFF",  //
                                        "FFFFFFFFFF",  //
                                        "FFFFFBFFFB",  //
                                        "FFFFFBFFFB",  //
                                        "FFFFFBFFFB"}));
}

TEST(CanvasText, ClippedAtTheBufferEdges) {
  const BlockGlyphSource glyphs;
  Bitmap8 b(3, 3);
  Canvas c(b);
  c.font() = {&glyphs, 5, Color::index(1)};
  c.text_out({-2, -2}, "abc");  // cells at -2, 0 and 2; ink from row -1
  EXPECT_EQ(as_text(b), (Picture{"#.#", "#.#", "#.#"}));
}

TEST(CanvasText, HugeFontsAndFarBoxesNeitherOverflowNorAllocate) {
  const BlockGlyphSource glyphs;
  EXPECT_EQ(glyphs.extent("abcde", 100000), (Size{250000, 100000}));
  EXPECT_EQ(glyphs.extent("abc", INT_MAX), (Size{INT_MAX, INT_MAX}));  // cut, not wrapped
  EXPECT_TRUE(glyphs.render("abcde", 100000).empty());  // 2.5e10 pixels: too big to render
  EXPECT_TRUE(glyphs.render("abc", INT_MAX).empty());

  Bitmap8 b(10, 10);
  Canvas c(b);
  c.font() = {&glyphs, 100000, Color::index(1)};
  c.text_out({0, 0}, "abcde");
  c.font().height = raster::kMaxCoord + 1;
  EXPECT_EQ(c.text_extent("ab"), (Size{0, 0}));
  c.text_out({0, 0}, "ab");
  c.font().height = 5;
  c.text_out({INT_MAX - 3, INT_MAX - 3}, "abcdef");
  c.text_out({INT_MIN, 0}, "ab");
  EXPECT_EQ(b, Bitmap8(10, 10));

  // A large box that fits still draws: ink of cell "a" (500 x 1000, from row 200)
  // covers the whole buffer.
  c.font().height = 1000;
  c.text_out({-5, -900}, "ab");
  EXPECT_EQ(b, Bitmap8(10, 10, 1));
}

TEST(CanvasMask, WideBlackPenClearsMaskPixels) {
  MaskBitmap mask(7, 5, 1);
  Canvas c(mask);
  c.pen().color = Color::rgb(0);
  c.pen().width = 3;
  c.move_to({1, 2});
  c.line_to({5, 2});
  EXPECT_EQ(as_text(mask), (Picture{"#######",  //
                                    ".......",  //
                                    ".......",  //
                                    ".......",  //
                                    "#######"}));
}

TEST(CanvasFillRect, UsesTheBrushWithCopyAndIsClipped) {
  Fixture f(4, 3, 1);
  f.buffer.fill(1);
  f.canvas.pen().mode = PenMode::kXor;
  f.canvas.fill_rect({-3, 1, 2, 9});
  f.canvas.brush().style = BrushStyle::kClear;
  f.canvas.fill_rect({0, 0, 4, 3});
  EXPECT_EQ(as_text(f.buffer), (Picture{"####", "AA##", "AA##"}));
}

TEST(CanvasPixelValues, ColoursAndIndexesPerBufferKind) {
  Bitmap32 rgb(3, 1);
  Canvas c32(rgb);
  c32.brush().color = Color::rgb(0x123456);  // 0x00BBGGRR
  c32.fill_rect({0, 0, 1, 1});
  c32.brush().color = Color::index(0x40);
  c32.fill_rect({1, 0, 2, 1});
  c32.brush().color = Color::rgb(0x08FF0000);  // flag bits are not colour
  c32.fill_rect({2, 0, 3, 1});
  EXPECT_EQ(rgb.pixel(0, 0), 0x563412u);
  EXPECT_EQ(rgb.pixel(1, 0), 0x404040u);
  EXPECT_EQ(rgb.pixel(2, 0), 0x0000FFu);

  Bitmap8 indexed(2, 1);
  Canvas c8(indexed);
  c8.brush().color = Color::rgb(0x7F7F7F);
  c8.fill_rect({0, 0, 1, 1});
  c8.brush().color = Color::index(200);
  c8.fill_rect({1, 0, 2, 1});
  EXPECT_EQ(indexed.pixel(0, 0), 0x7F);
  EXPECT_EQ(indexed.pixel(1, 0), 200);

  MaskBitmap mask(3, 1, 1);
  Canvas cm(mask);
  cm.brush().color = Color::rgb(0);
  cm.fill_rect({0, 0, 1, 1});
  cm.brush().color = Color::index(0);
  cm.fill_rect({1, 0, 2, 1});
  cm.pen().mode = PenMode::kXor;
  cm.pen().color = Color::rgb(0xFFFFFF);
  cm.move_to({2, 0});
  cm.line_to({3, 0});
  EXPECT_EQ(as_text(mask), (Picture{"..."}));
}

TEST(CanvasPenModes, CombineWithTheBufferPerChannelBits) {
  struct Case {
    PenMode mode;
    Pixel32 want;
  };
  const Case cases[] = {{PenMode::kCopy, 0x0000F0FFu},
                        {PenMode::kMerge, 0x00FFF0FFu},
                        {PenMode::kMask, 0x0000F00Fu},
                        {PenMode::kXor, 0x00FF00F0u}};
  for (const Case& c : cases) {
    Bitmap32 b(1, 1, 0x00FFF00Fu);
    Canvas canvas(b);
    canvas.pen().color = Color::rgb(0xFFF000);  // pixel 0x0000F0FF
    canvas.pen().mode = c.mode;
    canvas.move_to({0, 0});
    canvas.line_to({1, 0});
    EXPECT_EQ(b.pixel(0, 0), c.want) << static_cast<int>(c.mode);
  }
}

// Runs are combined a word at a time; every mode, length and alignment must match a
// plain per-pixel loop.
TEST(CanvasPenModes, RunsOfEveryLengthMatchAPerPixelLoop) {
  const PenMode modes[] = {PenMode::kCopy, PenMode::kMerge, PenMode::kMask, PenMode::kXor};
  for (const PenMode mode : modes) {
    for (int start = 0; start < 9; ++start) {
      for (int length = 1; length <= 21; ++length) {
        const auto op = [&](std::uint32_t p, std::uint32_t v) -> std::uint32_t {
          switch (mode) {
            case PenMode::kCopy:
              return v;
            case PenMode::kMerge:
              return p | v;
            case PenMode::kMask:
              return p & v;
            case PenMode::kXor:
              return p ^ v;
          }
          return p;
        };
        Bitmap8 bytes(32, 1);
        Bitmap32 words(32, 1);
        for (int x = 0; x < 32; ++x) {
          bytes.row(0)[x] = static_cast<std::uint8_t>(37 * x + 11);
          words.row(0)[x] = 0x01030507u * static_cast<std::uint32_t>(x + 3);
        }
        Bitmap8 bytes_want = bytes;
        Bitmap32 words_want = words;
        for (int x = start; x < start + length; ++x) {
          bytes_want.row(0)[x] = static_cast<std::uint8_t>(op(bytes_want.row(0)[x], 0xA6));
          words_want.row(0)[x] = op(words_want.row(0)[x], to_pixel(0x5AC3E1));
        }
        Canvas cb(bytes), cw(words);
        cb.pen().color = Color::index(0xA6);
        cw.pen().color = Color::rgb(0x5AC3E1);
        for (Canvas* c : {&cb, &cw}) {
          c->pen().mode = mode;
          c->move_to({start, 0});
          c->line_to({start + length, 0});
        }
        ASSERT_EQ(bytes, bytes_want) << static_cast<int>(mode) << " " << start << "+" << length;
        ASSERT_EQ(words, words_want) << static_cast<int>(mode) << " " << start << "+" << length;
      }
    }
  }
}

TEST(CanvasPenModes, MergingALevelOverItselfChangesNothing) {
  Bitmap8 coverage(40, 30);
  Canvas c(coverage);
  c.pen().color = Color::index(0x80);
  c.pen().width = 9;
  c.pen().mode = PenMode::kMerge;
  c.move_to({5, 5});
  c.line_to({30, 20});
  const Bitmap8 once = coverage;
  c.move_to({30, 5});  // crossing the first stroke
  c.line_to({5, 25});
  c.move_to({5, 5});  // and the first stroke again
  c.line_to({30, 20});
  for (int y = 0; y < coverage.height(); ++y) {
    for (int x = 0; x < coverage.width(); ++x) {
      EXPECT_TRUE(coverage.pixel(x, y) == 0 || coverage.pixel(x, y) == 0x80) << x << "," << y;
      if (once.pixel(x, y)) {
        EXPECT_EQ(coverage.pixel(x, y), 0x80);
      }
    }
  }
}

// Each figure drawn once with exclusive-or onto zeros must equal the same figure
// copied onto zeros (a pixel touched twice would be 0 again), and drawn twice it must
// restore a busy picture exactly.
TEST(CanvasPenModes, EveryFigureTouchesEachPixelOnce) {
  struct Figure {
    const char* name;
    void (*draw)(Canvas&);
  };
  const Figure figures[] = {
      {"self-crossing polyline",
       [](Canvas& c) {
         const Point p[] = {{2, 2}, {40, 30}, {40, 4}, {3, 28}, {20, 1}};
         c.polyline(p);
       }},
      {"bezier chain",
       [](Canvas& c) {
         const Point p[] = {{3, 20}, {10, -5}, {40, 40}, {30, 10}, {25, -2}, {5, 5}, {10, 15}};
         c.poly_bezier(p);
       }},
      {"dashed closed path",
       [](Canvas& c) {
         Path path;
         path.move_to({4, 4});
         path.bezier_to({30, 0}, {40, 30}, {10, 26});
         path.line_to({36, 8});
         path.close();
         c.pen().style = PenStyle::kDash;
         c.pen().dash = {5, 1, 0, 2};
         c.stroke_path(path);
       }},
      {"rectangle",
       [](Canvas& c) {
         c.rectangle({3, 2, 37, 27});
       }},
      {"ellipse",
       [](Canvas& c) {
         c.ellipse({1, 3, 44, 30});
       }},
      {"arc",
       [](Canvas& c) {
         c.arc({2, 2, 40, 30}, {0, 0}, {0, 30});
       }},
      {"line", [](Canvas& c) {
         c.move_to({-5, 7});
         c.line_to({50, 20});
       }}};
  for (const int width : {1, 2, 3, 8}) {
    for (const Figure& f : figures) {
      const auto draw = [&](Bitmap32& b, PenMode mode) {
        Canvas c(b);
        c.pen().width = width;
        c.pen().mode = mode;
        c.pen().color = Color::rgb(0x0000FF);
        c.brush().color = Color::rgb(0x00FF00);
        f.draw(c);
      };
      Bitmap32 copied(45, 32), xored(45, 32);
      draw(copied, PenMode::kCopy);
      draw(xored, PenMode::kXor);
      EXPECT_EQ(xored, copied) << f.name << ", width " << width;
      EXPECT_NE(copied, Bitmap32(45, 32)) << f.name << " draws something";

      Bitmap32 busy(45, 32);
      for (std::size_t i = 0; i < busy.pixels().size(); ++i) busy.pixels()[i] = 0x9E3779B9u * i;
      Bitmap32 twice = busy;
      draw(twice, PenMode::kXor);
      draw(twice, PenMode::kXor);
      EXPECT_EQ(twice, busy) << f.name << ", width " << width;
    }
  }
}

}  // namespace
}  // namespace lumidraw::gfx
