#include <gtest/gtest.h>

#include <climits>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/bitmap.h"
#include "pen_surface_fixture.h"
#include "surface/smoothing.h"

namespace {

using lumidraw::gfx::Pixel32;
using lumidraw::gfx::Point;
using P = TPenImageProbe;

// The rainbow cycle as ink pixels (0x00RRGGBB).
constexpr std::array<Pixel32, 7> kRainbowPixels{0xFF00FF, 0xFF0000, 0xFF6600, 0xFFFF00,
                                                0x00FF00, 0x0000FF, 0x6666CC};

TEST_F(PenSurface, DPenSetTakesThePreset) {
  lumidraw::settings::PenRevise = 1;
  lumidraw::settings::MarkerPenAlpha = 77;
  image.PL_UP = 0;
  image.DPenSet({0x08000000, 7, 0});
  EXPECT_EQ(image.PenColor, 0x08000001);
  EXPECT_EQ(image.PenWidth, 7);
  EXPECT_EQ(image.PenAlpha, 77);
  EXPECT_EQ(image.Pentype, 1);
  EXPECT_EQ(image.PL_UP, -32767);
  image.DPenSet({0x18000000, 3, 1});
  EXPECT_EQ(image.PenColor, 0x18000000);
  EXPECT_EQ(image.PenAlpha, 255);
}

TEST_F(PenSurface, PressureScalesInkAndCoverageWidths) {
  lumidraw::settings::PenPressure = true;
  image.PenWidth = 10;
  P::SetSegment(image, {20, 40}, {60, 40});
  P::DrawSegment(image, 512);
  // w = 5: ink 6 rows; coverage round(512 * 9 / 1024) = round(4.5) = 4 coverage rows.
  EXPECT_EQ(InkThickness(40), 6);
  EXPECT_EQ(CoverageThickness(81), 4);
  EXPECT_EQ(Coverage(81, 81), 255);

  lumidraw::settings::PenPressure = false;
  P::SetSegment(image, {20, 80}, {60, 80});
  P::DrawSegment(image, 512);
  EXPECT_EQ(InkThickness(40), 6 + 11);
  EXPECT_EQ(CoverageThickness(81), 4 + 19);
}

TEST_F(PenSurface, WidthOneDrawsTwoInkPixelsAndAStrongerThinCoverage) {
  Pen({0x00FF00, 1, 0});
  P::SetSegment(image, {20, 40}, {60, 40});
  P::DrawSegment(image, 1024);
  EXPECT_EQ(InkThickness(40), 2);
  EXPECT_EQ(CoverageThickness(81), 1);
  EXPECT_EQ(Coverage(81, 81), 100 + 77);
}

TEST_F(PenSurface, OneToOneDisplayDrawsPlainWidths) {
  P::SetIs256(image, true);
  Pen({0x00FF00, 1, 1});
  // A single point with the one-pixel pen still sets its pixel.
  P::SetSegment(image, {30, 30}, {30, 30});
  P::DrawSegment(image, 1024);
  EXPECT_EQ(Ink(30, 30), 0x00FF00u);
  EXPECT_EQ(Ink(31, 30), kNoInk);
  EXPECT_EQ(Ink(29, 30), kNoInk);
  Pen({0x00FF00, 3, 1});
  P::SetSegment(image, {20, 60}, {60, 60});
  P::DrawSegment(image, 1024);
  EXPECT_EQ(InkThickness(40), 3);
  EXPECT_EQ(CoverageThickness(81), 6);
}

TEST_F(PenSurface, RainbowBySegmentTakesTheCycleAcross42Segments) {
  Pen({0x08000000, 1, 1});
  // 43 horizontal moves of 4 pixels after the dot at (2, 50).
  image.MouseDown(TMouseButton::mbLeft, 0, 2, 50);
  for (int k = 1; k <= 43; ++k) image.MouseMove(0, 2 + 4 * k, 50);
  image.MouseUp(TMouseButton::mbLeft, 0, 174, 50);
  for (int k = 1; k <= 43; ++k) {
    // Segment k is drawn with counter k and ends 2 pixels past its midpoint.
    EXPECT_EQ(Ink(4 * k, 50), kRainbowPixels[static_cast<std::size_t>(k % 7)]) << "segment " << k;
  }
  // Dot and 43 segments, modulo 42.
  EXPECT_EQ(StrokeCounter, 2);
}

TEST_F(PenSurface, DottedPatternContinuesAcrossStrokes) {
  Pen({0x100000FF, 1, 1});
  // Dot (counter 0, drawn) and one segment (1, skipped): the counter is 2.
  Stroke({{10, 10}, {40, 10}});
  EXPECT_NE(Ink(10, 10), kNoInk);
  EXPECT_EQ(Ink(25, 10), kNoInk);
  // Dot 2 skipped, then 3 drawn, 4 and 5 skipped, 0 drawn.
  Stroke({{1, 60}, {13, 60}, {25, 60}, {37, 60}, {49, 60}});
  EXPECT_EQ(Ink(7, 60), 0xFF0000u);
  EXPECT_EQ(Ink(19, 60), kNoInk);
  EXPECT_EQ(Ink(31, 60), kNoInk);
  EXPECT_EQ(Ink(43, 60), 0xFF0000u);
  EXPECT_EQ(Coverage(2 * 19 + 1, 121), 0);
  EXPECT_EQ(Coverage(2 * 43 + 1, 121), 255);
}

TEST_F(PenSurface, MarkerOverItselfKeepsItsCoverage) {
  Pen({0xFF0000, 8, 0});
  Stroke({{20, 30}, {80, 30}, {80, 60}});
  const auto once = P::Coverage(image);
  Stroke({{20, 30}, {80, 30}, {80, 60}});
  Stroke({{50, 10}, {50, 90}});
  EXPECT_EQ(Coverage(161, 61), 100);
  EXPECT_EQ(Coverage(101, 61), 100);
  int changed = 0;
  for (int y = 0; y < once.height(); ++y) {
    for (int x = 0; x < once.width(); ++x) {
      changed += once.pixel(x, y) != 0 && Coverage(x, y) != 100;
    }
  }
  EXPECT_EQ(changed, 0);
}

TEST_F(PenSurface, EraserSegmentsAreHalfAPixelWiderAndLeaveTheCounter) {
  Pen({0x08000000, 6, 1});
  Stroke({{10, 40}, {100, 40}});
  const int counter = StrokeCounter;
  lumidraw::settings::EraseDefault = 1;
  image.SetMMode(3, false);
  Stroke({{50, 10}, {50, 80}});
  EXPECT_EQ(StrokeCounter, counter);
  // Width 12: ink 13 columns, coverage 25.
  int ink = 0;
  for (int x = 30; x < 70; ++x) ink += Ink(x, 40) == kNoInk;
  EXPECT_EQ(ink, 13);
  int coverage = 0;
  for (int x = 60; x < 140; ++x) coverage += Coverage(x, 81) == 0;
  EXPECT_EQ(coverage, 25);
  // No dot at the eraser's pen-down: nothing else to erase there, but the list has it.
  EXPECT_EQ(list.PenE(4).m(), 3);
}

TEST(Smoothing, CurvedOnlyFromTheStatedLengths) {
  struct Case {
    int length;
    int step;
    bool curved;
    int points;
  };
  const Case cases[] = {
      {4, 1, false, 4}, {5, 1, true, 7},  {7, 2, false, 7},  {8, 2, true, 7},  {5, 0, false, 5},
      {6, 0, true, 4},  {1, 1, false, 1}, {20, 3, true, 10}, {2, 0, false, 2}, {30, 0, true, 4},
  };
  for (const Case& c : cases) {
    std::vector<Point> stroke;
    for (int i = 0; i < c.length; ++i) stroke.push_back({i * 3, i * i});
    std::vector<Point> out;
    EXPECT_EQ(lumidraw::surface::smoothing_points(stroke, c.step, out), c.curved)
        << c.length << " points, step " << c.step;
    EXPECT_EQ(out.size(), static_cast<std::size_t>(c.points)) << c.length << ", " << c.step;
  }
}

TEST(Smoothing, HugeStepsAndCoordinatesDoNotOverflow) {
  std::vector<Point> far;
  for (int i = 0; i < 8; ++i) far.push_back({INT_MAX - i, INT_MIN + i});
  std::vector<Point> out;
  EXPECT_FALSE(lumidraw::surface::smoothing_points(far, INT_MAX / 2, out));
  EXPECT_EQ(out, far);
  ASSERT_TRUE(lumidraw::surface::smoothing_points(far, 1, out));
  EXPECT_EQ(out[3], (Point{INT_MAX - 3, INT_MIN + 3}));
}

TEST(Smoothing, ControlPointsAndMidpoints) {
  std::vector<Point> out;
  // Step 1, 5 points: the points padded to 7, point 3 moved to the midpoint of 2 and 4
  // (rounding down, also below 0).
  const std::vector<Point> five{{0, 0}, {10, -3}, {20, -8}, {31, 4}, {41, 5}};
  ASSERT_TRUE(lumidraw::surface::smoothing_points(five, 1, out));
  EXPECT_EQ(out,
            (std::vector<Point>{{0, 0}, {10, -3}, {20, -8}, {30, -2}, {41, 5}, {41, 5}, {41, 5}}));
  // Step 2, 14 points: every second one (7), padded to 10 with the last, points 3 and
  // 6 moved.
  std::vector<Point> fourteen;
  for (int i = 0; i < 14; ++i) fourteen.push_back({i, -i});
  ASSERT_TRUE(lumidraw::surface::smoothing_points(fourteen, 2, out));
  EXPECT_EQ(out, (std::vector<Point>{{0, 0},
                                     {2, -2},
                                     {4, -4},
                                     {6, -6},
                                     {8, -8},
                                     {10, -10},
                                     {11, -12},
                                     {13, -13},
                                     {13, -13},
                                     {13, -13}}));
  // Step 0, 7 points: first, 1/3, 2/3 and last.
  std::vector<Point> seven;
  for (int i = 0; i < 7; ++i) seven.push_back({i, 0});
  ASSERT_TRUE(lumidraw::surface::smoothing_points(seven, 0, out));
  EXPECT_EQ(out, (std::vector<Point>{{0, 0}, {2, 0}, {4, 0}, {6, 0}}));
}

TEST_F(PenSurface, SmoothedStrokeIsPreviewedThenDrawnWithoutPressure) {
  lumidraw::settings::PenRevise = 1;
  lumidraw::settings::PenPressure = true;
  Pen({0x0000FF, 6, 1});
  image.BitmapDispAll();
  image.MouseDown(TMouseButton::mbLeft, 0, 20, 60);
  for (int x = 40; x <= 160; x += 20) image.MouseMove(0, x, 60);
  // Only the display shows it: white masked with grey.
  EXPECT_EQ(InkThickness(90), 0);
  EXPECT_EQ(image.DisplayPicture().pixel(90, 60), 0x888888u);
  image.MouseUp(TMouseButton::mbLeft, 0, 160, 60);
  // A straight stroke stays straight; widths 7 and 11, whatever the pressure was.
  EXPECT_EQ(InkThickness(90), 7);
  EXPECT_EQ(CoverageThickness(181), 11);
  EXPECT_EQ(P::Picture(image).pixel(90, 60), 0xFE0000u);
  EXPECT_EQ(image.DisplayPicture().pixel(90, 60), 0xFE0000u);
}

TEST_F(PenSurface, DottedSmoothedStrokeHasSolidInkAndDashedCoverage) {
  lumidraw::settings::PenRevise = 1;
  Pen({0x100000FF, 2, 1});
  Stroke({{10, 60}, {40, 60}, {70, 60}, {100, 60}, {130, 60}, {160, 60}, {190, 60}});
  for (int x = 12; x <= 188; x += 8) EXPECT_EQ(InkThickness(x), 3) << x;
  // Coverage pen 6 wide, dashes and gaps of 18 from coverage x = 21 on, with round ends
  // of 3 beyond each dash.
  EXPECT_NE(Coverage(30, 121), 0);
  EXPECT_EQ(Coverage(48, 121), 0);
  EXPECT_NE(Coverage(66, 121), 0);
  EXPECT_EQ(Coverage(84, 121), 0);
  // One colour for the whole stroke: the counter moved once.
  EXPECT_EQ(StrokeCounter, 1);
}

// Records what the labels ask for; every glyph box is solid.
class TRecordingGlyphs : public lumidraw::gfx::GlyphSource {
 public:
  lumidraw::gfx::Size extent(std::string_view text, int pixel_height) const override {
    asked.push_back(std::string(text) + "@" + std::to_string(pixel_height));
    return {4 * static_cast<int>(text.size()), pixel_height / 5};
  }
  lumidraw::gfx::MaskBitmap render(std::string_view text, int pixel_height) const override {
    rendered.push_back(std::string(text) + "@" + std::to_string(pixel_height));
    return lumidraw::gfx::MaskBitmap(4 * static_cast<int>(text.size()), pixel_height / 5, 1);
  }
  mutable std::vector<std::string> asked;
  mutable std::vector<std::string> rendered;
};

TEST_F(PenSurface, LabelsTakeTheirTextFromTheGlyphSourceSet) {
  TRecordingGlyphs glyphs;
  image.SetGlyphSource(&glyphs);
  Pen({0x08000001, 4, 1});
  Stroke({{40, 40}, {140, 60}});
  Stroke({{40, 90}, {140, 90}});
  EXPECT_EQ(glyphs.asked, (std::vector<std::string>{"1@30", "1@30", "2@30", "2@30"}));
  EXPECT_EQ(glyphs.rendered, (std::vector<std::string>{"1@30", "1@60", "1@30", "1@60", "2@30",
                                                       "2@60", "2@30", "2@60"}));
  // Text 4 x 6: a disc of radius round(sqrt(52) / 2) + 2 = 6 around (40, 90); the text
  // covers (38..41, 87..92).
  EXPECT_EQ(Ink(38, 87), 0x000000u);
  EXPECT_EQ(Ink(36, 90), 0xEEEEEEu);
  image.SetGlyphSource(nullptr);
}

TEST_F(PenSurface, RainbowByStrokeLabelsBothEnds) {
  Pen({0x08000001, 4, 0});
  Stroke({{40, 40}, {80, 60}, {140, 60}});
  EXPECT_EQ(StrokeCounter, 1);
  // Block glyph "1" (15 x 30) in a disc of radius 19: black on light at the start,
  // light on black at the end.
  EXPECT_EQ(Ink(40, 40), 0x000000u);
  EXPECT_EQ(Ink(28, 40), 0xEEEEEEu);
  EXPECT_EQ(Ink(140, 60), 0xEEEEEEu);
  EXPECT_EQ(Ink(128, 60), 0x000000u);
  // Coverage: digits full on a disc of the marker's level, and the other way round.
  EXPECT_EQ(Coverage(81, 81), 255);
  EXPECT_EQ(Coverage(57, 81), 100);
  EXPECT_EQ(Coverage(281, 121), 100);
  EXPECT_EQ(Coverage(257, 121), 255);
}

}  // namespace
