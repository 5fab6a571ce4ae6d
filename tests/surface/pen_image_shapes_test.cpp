// Shape strokes driven through the surface's pen input: previews on the display
// picture, and the finished shapes in the layers and the stroke list.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "fake_surface_host.h"
#include "pen_image_probe.h"
#include "settings/settings_catalogue.h"
#include "strokes/pen_list.h"
#include "strokes/undo_history.h"
#include "surface/pen_image.h"
#include "surface/stroke_counter.h"

namespace {

using lumidraw::gfx::Bitmap32;
using lumidraw::gfx::Pixel32;
using lumidraw::gfx::Point;
using lumidraw::strokes::StrokeEnd;
using lumidraw::strokes::StrokeHeader;
using lumidraw::strokes::TPenE;
using P = TPenImageProbe;

constexpr Pixel32 kWhite = 0xFFFFFF;
constexpr Pixel32 kNoInk = 0x7F7F7F;
constexpr Pixel32 kRed = 0xFF0000;  // the pen colour 0x0000FF as a pixel
constexpr int kRainbow = 0x08000000;

// A 160 x 120 white picture shown one to one on a display of 8 bits per pixel, so
// that a pen of width 1 draws one-pixel ink lines.
class Shapes : public ::testing::Test {
 protected:
  Shapes() : host(160, 120, 8), image(host) {
    lumidraw::settings::PenPressure = false;
    lumidraw::settings::PenRevise = 0;
    StrokeCounter = 0;
    lumidraw::strokes::UndoInit();
    image.BitmapLoad(Bitmap32(160, 120, kWhite), true);
    image.isFixed = true;
    image.PenList = &list;
    Pen(0x0000FF, 1);
    image.BitmapDispAll();
  }

  void Pen(std::uint32_t color, int width) {
    image.DPenSet({color, width, 1});
    image.SetMMode(2, true);
  }

  // Press at the first point, move through the others, release at the last.
  void Drag(std::vector<Point> points, TShiftState shift) {
    image.MouseDown(TMouseButton::mbLeft, shift, points[0].x, points[0].y);
    for (std::size_t i = 1; i < points.size(); ++i)
      image.MouseMove(shift, points[i].x, points[i].y);
    image.MouseUp(TMouseButton::mbLeft, shift, points.back().x, points.back().y);
  }

  std::vector<TPenE> Entries() const {
    std::vector<TPenE> all;
    for (int i = 0; i < list.GetCount(); ++i) all.push_back(list.PenE(i));
    return all;
  }

  // Every ink pixel of the picture.
  std::vector<std::pair<int, int>> InkPixels() {
    std::vector<std::pair<int, int>> all;
    const Bitmap32& ink = P::Ink(image);
    for (int y = 0; y < ink.height(); ++y) {
      for (int x = 0; x < ink.width(); ++x) {
        if (ink.pixel(x, y) != kNoInk) all.emplace_back(x, y);
      }
    }
    return all;
  }

  TFakeSurfaceHost host;
  TPenImage image;
  lumidraw::strokes::TPenList list;
};

TEST_F(Shapes, ShortRainbowLineLeavesOnlyItsHeaderFirstPointAndEnd) {
  Pen(kRainbow, 1);
  Drag({{10, 20}, {13, 20}}, ssCtrl);
  const auto entries = Entries();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].x, StrokeHeader);
  EXPECT_EQ(entries[1], (TPenE{10, 20, 0}));
  EXPECT_EQ(entries[2].x, StrokeEnd);
  EXPECT_TRUE(InkPixels().empty());
}

TEST_F(Shapes, HundredPixelRainbowLineIsTenSegmentsInSuccessiveColours) {
  Pen(kRainbow, 1);
  Drag({{10, 20}, {60, 40}, {110, 20}}, ssCtrl);
  const auto entries = Entries();
  ASSERT_EQ(entries.size(), 13u);
  EXPECT_EQ(entries[1], (TPenE{10, 20, 0}));
  for (int i = 1; i <= 10; ++i) EXPECT_EQ(entries[1 + i], (TPenE{10 + 10 * i, 20, 1024})) << i;
  EXPECT_EQ(entries[12].x, StrokeEnd);
  // The rainbow cycle as pixels, from counter 0.
  const Pixel32 cycle[] = {0xFF00FF, 0xFF0000, 0xFF6600, 0xFFFF00, 0x00FF00, 0x0000FF, 0x6666CC};
  for (int x = 10; x < 110; ++x) {
    EXPECT_EQ(P::Ink(image).pixel(x, 20), cycle[((x - 10) / 10) % 7]) << x;
  }
  EXPECT_EQ(P::Ink(image).pixel(110, 20), kNoInk);  // a one-pixel line leaves out its end
  EXPECT_EQ(InkPixels().size(), 100u);
  EXPECT_EQ(StrokeCounter, 10);
  // The finished shape is an undo step.
  EXPECT_EQ(lumidraw::strokes::UndoList(lumidraw::strokes::UndoPos()).GetCount(), 13);
}

TEST_F(Shapes, RectangleRepeatsItsFirstThreeCornersAndReplaysTheSame) {
  Drag({{10, 10}, {25, 15}, {30, 20}}, ssCtrl | ssShift);
  const std::vector<TPenE> points{{10, 10, 0},    {10, 10, 1024}, {30, 10, 1024}, {30, 10, 1024},
                                  {30, 10, 1024}, {30, 20, 1024}, {30, 20, 1024}, {30, 20, 1024},
                                  {10, 20, 1024}, {10, 20, 1024}, {10, 20, 1024}, {10, 10, 1024},
                                  {10, 10, 1024}};
  const auto entries = Entries();
  ASSERT_EQ(entries.size(), points.size() + 2);
  EXPECT_EQ(entries[0].x, StrokeHeader);
  EXPECT_EQ(std::vector<TPenE>(entries.begin() + 1, entries.end() - 1), points);
  EXPECT_EQ(entries.back().x, StrokeEnd);

  // The one-pixel ring of columns 10-30 and rows 10-20.
  const auto drawn = InkPixels();
  EXPECT_EQ(drawn.size(), 2u * 21 + 2u * 9);
  for (const auto& [x, y] : drawn) {
    EXPECT_TRUE(x == 10 || x == 30 || y == 10 || y == 20) << x << "," << y;
    EXPECT_EQ(P::Ink(image).pixel(x, y), kRed);
  }
  P::ClearInk(image);
  image.PenListPlay(false);
  EXPECT_EQ(InkPixels(), drawn);
}

TEST_F(Shapes, ArcReleasedDuringTheRadiusLegIsAFullCircleOf361Steps) {
  Drag({{60, 60}, {80, 60}}, ssCtrl | ssAlt);
  const auto entries = Entries();
  ASSERT_EQ(entries.size(), 1u + 362u + 1u);
  EXPECT_EQ(entries[0], TPenE::Control(StrokeHeader, 0x0000FF, 0, 2, 1, 255));
  EXPECT_EQ(entries[1], (TPenE{80, 60, 1024}));
  EXPECT_EQ(entries[91], (TPenE{60, 40, 1024}));   // 90 degrees: up
  EXPECT_EQ(entries[181], (TPenE{40, 60, 1024}));  // 180
  EXPECT_EQ(entries[271], (TPenE{60, 80, 1024}));  // 270
  EXPECT_EQ(entries[361], (TPenE{80, 60, 1024}));  // 360
  EXPECT_EQ(entries[362], (TPenE{80, 60, 1024}));  // 361: one step beyond the start
  EXPECT_EQ(entries[363].x, StrokeEnd);
  for (std::size_t i = 1; i < 363; ++i) {
    EXPECT_NEAR(std::hypot(entries[i].x - 60, entries[i].y - 60), 20.0, 0.75) << i;
  }
  EXPECT_EQ(P::Ink(image).pixel(60, 40), kRed);
  EXPECT_EQ(P::Ink(image).pixel(60, 80), kRed);
}

TEST_F(Shapes, ArcFromThreeHundredFiftyToTenDegreesRunsThroughZero) {
  // Ctrl and Alt are let go at the radius point (350 degrees, radius 58); the pointer
  // then sweeps to 10 degrees.
  image.MouseDown(TMouseButton::mbLeft, ssCtrl | ssAlt, 60, 60);
  image.MouseMove(ssCtrl | ssAlt, 117, 70);
  image.MouseMove(0, 117, 70);
  EXPECT_EQ(image.MouseF, 11);
  image.MouseMove(0, 117, 50);
  image.MouseUp(TMouseButton::mbLeft, 0, 117, 50);
  const auto entries = Entries();
  ASSERT_EQ(entries.size(), 1u + 21u + 1u);
  EXPECT_EQ(entries[1], (TPenE{117, 70, 1024}));   // 350 degrees
  EXPECT_EQ(entries[11], (TPenE{118, 60, 1024}));  // 0 degrees
  EXPECT_EQ(entries[21], (TPenE{117, 50, 1024}));  // 10 degrees
  for (std::size_t i = 1; i < 22; ++i) EXPECT_GE(entries[i].x, 117) << i;
}

TEST_F(Shapes, EllipseDraggedBackwardsStartsAtThePressPointAndDrawsTheSame) {
  Drag({{50, 40}, {10, 20}}, ssAlt);
  const auto backwards = Entries();
  ASSERT_EQ(backwards.size(), 1u + 361u + 1u);
  EXPECT_EQ(backwards[1], (TPenE{50, 30, 1024}));
  EXPECT_EQ(backwards[91], (TPenE{30, 20, 1024}));  // 90 degrees: the top
  const auto drawnBackwards = InkPixels();

  list.Clear();
  P::ClearInk(image);
  Drag({{10, 20}, {50, 40}}, ssAlt);
  const auto forwards = Entries();
  EXPECT_EQ(forwards[1], (TPenE{10, 30, 1024}));
  const auto pointSet = [](std::vector<TPenE> entries) {
    std::vector<std::pair<int, int>> points;
    for (std::size_t i = 1; i + 1 < entries.size(); ++i)
      points.emplace_back(entries[i].x, entries[i].y);
    std::sort(points.begin(), points.end());
    points.erase(std::unique(points.begin(), points.end()), points.end());
    return points;
  };
  EXPECT_EQ(pointSet(backwards), pointSet(forwards));
  // Each piece's line runs the other way, so single pixels may differ; the outline's
  // extent may not.
  const auto extent = [](const std::vector<std::pair<int, int>>& pixels) {
    const auto [minX, maxX] = std::minmax_element(pixels.begin(), pixels.end());
    int minY = 1000, maxY = -1;
    for (const auto& p : pixels) minY = std::min(minY, p.second), maxY = std::max(maxY, p.second);
    return std::vector<int>{minX->first, maxX->first, minY, maxY};
  };
  EXPECT_EQ(extent(drawnBackwards), (std::vector<int>{10, 50, 20, 40}));
  EXPECT_EQ(extent(InkPixels()), (std::vector<int>{10, 50, 20, 40}));
}

TEST_F(Shapes, ShiftMakesTheEllipseACircle) {
  Drag({{20, 20}, {60, 40}}, ssAlt | ssShift);  // the box becomes (20,20)-(40,40)
  const auto entries = Entries();
  ASSERT_EQ(entries.size(), 363u);
  for (std::size_t i = 1; i < 362; ++i) {
    EXPECT_NEAR(std::hypot(entries[i].x - 30, entries[i].y - 30), 10.0, 0.75) << i;
  }
}

TEST_F(Shapes, RectanglePreviewIsAnExclusiveOrRingOnTheDisplay) {
  image.MouseDown(TMouseButton::mbLeft, ssCtrl | ssShift, 2, 2);
  EXPECT_EQ(image.DisplayPicture(), Bitmap32(160, 120, kWhite));  // nothing until a move
  image.MouseMove(ssCtrl | ssShift, 6, 5);
  const std::vector<std::string> expected = {
      "........",  //
      "........",  //
      "..####..",  //
      "..#..#..",  //
      "..####..",  //
      "........",  //
      "........",
  };
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 8; ++x) {
      const Pixel32 grey = expected[y][x] == '#' ? kWhite ^ 0x888888 : kWhite;
      EXPECT_EQ(image.DisplayPicture().pixel(x, y), grey) << x << "," << y;
    }
  }
}

// Every preview drawn and moved at a scale of 1.5 with a wide pen, then removed.
TEST_F(Shapes, PreviewsLeaveTheDisplayExactlyAsBeforeOnceRemoved) {
  struct Case {
    const char* name;
    TShiftState shift;
    std::vector<std::pair<TShiftState, Point>> moves;
  };
  const Case cases[] = {
      {"line", ssCtrl, {{ssCtrl, {40, 30}}, {ssCtrl, {90, 70}}}},
      {"rectangle", ssCtrl | ssShift, {{ssCtrl | ssShift, {40, 30}}, {ssCtrl | ssShift, {90, 70}}}},
      {"arc radius", ssCtrl | ssAlt, {{ssCtrl | ssAlt, {70, 30}}, {ssCtrl | ssAlt, {90, 75}}}},
      {"arc sweep", ssCtrl | ssAlt, {{ssCtrl | ssAlt, {90, 75}}, {0, {90, 75}}, {0, {40, 20}}}},
      {"ellipse", ssAlt, {{ssAlt, {40, 30}}, {ssAlt, {100, 90}}}},
      {"circle", ssAlt | ssShift, {{ssAlt | ssShift, {40, 30}}, {ssAlt | ssShift, {100, 90}}}},
  };
  Bitmap32 background(160, 120);
  for (int y = 0; y < 120; ++y) {
    for (int x = 0; x < 160; ++x)
      background.set_pixel(x, y, static_cast<Pixel32>(x * 977 + y * 131));
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    image.BitmapLoad(background, true);
    image.bai = 1.5;
    image.px = -7;
    image.py = -5;
    image.BitmapDispAll();
    Pen(0x0000FF, 5);
    const Bitmap32 before = image.DisplayPicture();
    image.MouseDown(TMouseButton::mbLeft, c.shift, 60, 50);
    for (const auto& [shift, p] : c.moves) image.MouseMove(shift, p.x, p.y);
    EXPECT_NE(image.DisplayPicture(), before);
    P::RemoveShapePreview(image);
    EXPECT_EQ(image.DisplayPicture(), before);
    image.SetMMode(2, true);
  }
}

TEST_F(Shapes, AFullRepaintDuringTheDragTakesTheOutlineAwayForGood) {
  const std::pair<const char*, std::function<void()>> repaints[] = {
      {"zoom",
       [&] {
         image.Expand({80, 60}, 1);
       }},
      {"repaint", [&] { image.BitmapDisp2(); }},
      {"replay", [&] { image.PenListPlay(false); }},
      {"resize",
       [&] {
         host.client = {150, 110};
         image.BitmapDispAll();
       }},
  };
  for (const auto& [name, repaint] : repaints) {
    SCOPED_TRACE(name);
    image.MouseDown(TMouseButton::mbLeft, ssAlt, 60, 50);
    image.MouseMove(ssAlt, 40, 30);
    repaint();
    const Bitmap32 repainted = image.DisplayPicture();
    P::RemoveShapePreview(image);
    EXPECT_EQ(image.DisplayPicture(), repainted);
    image.MouseMove(ssAlt, 30, 20);
    EXPECT_NE(image.DisplayPicture(), repainted);
    P::RemoveShapePreview(image);
    EXPECT_EQ(image.DisplayPicture(), repainted);
    image.SetMMode(2, true);
  }
}

}  // namespace
