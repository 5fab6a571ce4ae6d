#include <gtest/gtest.h>

#include <vector>

#include "pen_surface_fixture.h"
#include "surface/pen_cursor.h"
#include "surface/pen_pressure.h"

namespace {

using lumidraw::gfx::Bitmap32;
using lumidraw::gfx::Point;
using lumidraw::strokes::TPenE;
using P = TPenImageProbe;

std::vector<int> Pressures(const lumidraw::strokes::TPenList& list) {
  std::vector<int> out;
  for (int i = 0; i < list.GetCount(); ++i) {
    const TPenE e = list.PenE(i);
    if (!e.IsControl()) out.push_back(e.p);
  }
  return out;
}

TEST(PenPressure, StepsFiftyTowardTheMidpointOfItsAim) {
  struct Case {
    int last;
    double distance;
    int next;
  };
  // Aim 1024 under 10 pixels; round((1 - (d - 10) / 5) * 824 + 200) beyond, which is
  // below 0 from about 16.2 pixels on.
  const Case cases[] = {
      {1024, 0, 974},  {974, 3, 1024},  {1024, 9.99, 974}, {1024, 10, 974},
      {800, 12, 750},  {600, 12, 650},  {-500, 40, -550},  {-5000, 40, -4950},
      {2000, 0, 1950}, {1500, 0, 1450}, {1024, 16.2, 974}, {0, 16, 50},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(lumidraw::surface::next_pressure(c.last, c.distance), c.next)
        << c.last << " after " << c.distance;
  }
}

TEST(PenPressure, WidthsRoundHalvesToEven) {
  EXPECT_EQ(lumidraw::surface::pressure_width(512, 10, true), 5);
  EXPECT_EQ(lumidraw::surface::pressure_width(512, 9, true), 4);   // 4.5
  EXPECT_EQ(lumidraw::surface::pressure_width(1536, 1, true), 2);  // 1.5
  EXPECT_EQ(lumidraw::surface::pressure_width(-200, 10, true), -2);
  EXPECT_EQ(lumidraw::surface::pressure_width(0, 10, false), 10);
}

TEST_F(PenSurface, FirstPointHasPressureZeroThenSlowMovesAlternate) {
  Stroke({{10, 10}, {12, 10}, {14, 10}, {16, 11}, {18, 11}});
  EXPECT_EQ(Pressures(list), (std::vector<int>{0, 974, 1024, 974, 1024}));
  ASSERT_EQ(list.GetCount(), 7);
  const TPenE header = list.PenE(0);
  EXPECT_TRUE(header.IsStrokeHeader());
  EXPECT_EQ(header.c(), 0x0000FF);
  EXPECT_EQ(header.m(), 2);
  EXPECT_EQ(header.w(), 4);
  EXPECT_EQ(header.a(), 255);
  EXPECT_EQ(list.PenE(6).x, lumidraw::strokes::StrokeEnd);
  // The finished stroke is the history's first step.
  EXPECT_EQ(lumidraw::strokes::UndoLast(), 0);
  EXPECT_EQ(lumidraw::strokes::UndoList(0).GetCount(), 7);
}

TEST_F(PenSurface, ClickLeavesNoDotOnlyWithPressure) {
  Stroke({{30, 30}});
  EXPECT_NE(Ink(30, 30), kNoInk);

  lumidraw::settings::PenPressure = true;
  Stroke({{60, 30}});
  EXPECT_EQ(Ink(60, 30), kNoInk);
  EXPECT_EQ(Coverage(121, 61), 0);
  EXPECT_EQ(P::Picture(image).pixel(60, 30), kWhite);
}

TEST_F(PenSurface, FastStrokeThinsOutAndStopsDrawing) {
  lumidraw::settings::PenPressure = true;
  Pen({0x0000FF, 10, 1});
  // Zig-zag moves of about 80 pixels: the pressure falls by 50 each time.
  image.MouseDown(TMouseButton::mbLeft, 0, 5, 20);
  for (int i = 1; i <= 22; ++i) image.MouseMove(0, 5 + 8 * i, i % 2 == 1 ? 100 : 20);
  image.MouseUp(TMouseButton::mbLeft, 0, 181, 20);
  const auto p = Pressures(list);
  ASSERT_EQ(p.size(), 23u);
  for (int i = 1; i <= 22; ++i) EXPECT_EQ(p[static_cast<std::size_t>(i)], 1024 - 50 * i);
  // Segment i crosses y = 60 at x = 1 + 8i. Segment 1 is 11 wide (974 -> width 10);
  // from segment 20 on (pressure 24) the width rounds to 0 and nothing is drawn.
  EXPECT_NE(Ink(9, 60), kNoInk);
  EXPECT_NE(Ink(153, 60), kNoInk);
  EXPECT_EQ(Ink(161, 60), kNoInk);
  EXPECT_EQ(Ink(169, 60), kNoInk);
  EXPECT_EQ(Ink(177, 60), kNoInk);
}

TEST_F(PenSurface, RightDragErasesAndReturnsToThePen) {
  Stroke({{20, 50}, {100, 50}});
  ASSERT_NE(Ink(60, 50), kNoInk);
  host.pointer = 0;

  image.MouseDown(TMouseButton::mbRight, 0, 60, 20);
  EXPECT_EQ(image.MMode, 3);
  EXPECT_EQ(host.pointer, 10);
  image.MouseMove(0, 60, 50);
  image.MouseMove(0, 60, 80);
  image.MouseUp(TMouseButton::mbRight, 0, 60, 80);

  EXPECT_EQ(Ink(60, 50), kNoInk);
  EXPECT_EQ(Coverage(121, 101), 0);
  EXPECT_EQ(P::Picture(image).pixel(60, 50), kWhite);
  EXPECT_NE(Ink(30, 50), kNoInk);
  // Back to the current pen, with its pointer.
  EXPECT_EQ(image.MMode, 2);
  EXPECT_EQ(image.PenWidth, 4);
  EXPECT_EQ(image.PenAlpha, 255);
  EXPECT_EQ(host.pointer, 2);
  EXPECT_EQ(P::IsErase(image), 0);
  // The eraser stroke: mode 3, width 36, full pressure after the first point.
  const TPenE header = list.PenE(4);
  ASSERT_TRUE(header.IsStrokeHeader());
  EXPECT_EQ(header.m(), 3);
  EXPECT_EQ(header.w(), 36);
  EXPECT_EQ(header.a(), 0);
  EXPECT_EQ(list.PenE(6).p, 1024);
}

TEST_F(PenSurface, RightDragInEraserModeStaysTheEraser) {
  image.SetMMode(3, false);
  image.MouseDown(TMouseButton::mbRight, 0, 60, 20);
  image.MouseMove(0, 60, 40);
  image.MouseUp(TMouseButton::mbRight, 0, 60, 40);
  EXPECT_EQ(image.MMode, 3);
  EXPECT_EQ(host.pointer, 10);
}

TEST_F(PenSurface, RightClickSwitchesBetweenPenAndMovingHand) {
  struct Case {
    int mode;
    int zoom;
    int modeAfter;
  };
  const Case cases[] = {{2, 1, 1}, {3, 2, 1}, {2, 0, 2}, {1, 0, 2}, {1, 3, 2}, {4, 1, 1}};
  for (const Case& c : cases) {
    image.SetMMode(c.mode, false);
    image.CrZoom = c.zoom;
    image.MouseDown(TMouseButton::mbRight, 0, 40, 40);
    image.MouseUp(TMouseButton::mbRight, 0, 40, 40);
    EXPECT_EQ(image.MMode, c.modeAfter) << c.mode << " zoom " << c.zoom;
    EXPECT_EQ(host.pointer, c.modeAfter == 1 ? 11 : 2);
  }
  // Pen after the hand: the current pen again.
  EXPECT_EQ(image.PenWidth, 4);
}

TEST_F(PenSurface, RightPressDuringAStrokeIsLeftAlone) {
  image.MouseDown(TMouseButton::mbLeft, 0, 10, 10);
  image.MouseMove(0, 20, 10);
  image.MouseDown(TMouseButton::mbRight, 0, 20, 10);
  image.MouseMove(0, 30, 10);
  image.MouseUp(TMouseButton::mbRight, 0, 30, 10);
  image.MouseUp(TMouseButton::mbLeft, 0, 30, 10);
  EXPECT_EQ(image.MMode, 2);
  // One pen stroke: header, three points, end.
  ASSERT_EQ(list.GetCount(), 5);
  EXPECT_EQ(list.PenE(0).m(), 2);
  EXPECT_EQ(list.PenE(4).x, lumidraw::strokes::StrokeEnd);
}

TEST_F(PenSurface, InputWithoutAPictureOnlyRaisesTheEvents) {
  TFakeSurfaceHost emptyHost(50, 50);
  TPenImage empty(emptyHost);
  lumidraw::strokes::TPenList emptyList;
  empty.PenList = &emptyList;
  empty.SetMMode(2, true);
  std::vector<TPenEvent> downs;
  std::vector<TPenEvent> ups;
  empty.OnPenDown = [&](const TPenEvent& e) { downs.push_back(e); };
  empty.OnPenUp = [&](const TPenEvent& e) { ups.push_back(e); };
  empty.MouseDown(TMouseButton::mbLeft, ssCtrl, 3, 4);
  empty.MouseMove(0, 8, 8);
  empty.MouseUp(TMouseButton::mbMiddle, 0, 8, 9);
  EXPECT_EQ(emptyList.GetCount(), 0);
  EXPECT_EQ(empty.MouseF, 0);
  ASSERT_EQ(downs.size(), 1u);
  EXPECT_EQ(downs[0].Shift, ssCtrl);
  EXPECT_EQ(downs[0].X, 3);
  ASSERT_EQ(ups.size(), 1u);
  EXPECT_EQ(ups[0].Button, TMouseButton::mbMiddle);
  EXPECT_EQ(ups[0].Y, 9);
}

TEST_F(PenSurface, PointerHiddenDuringAStroke) {
  image.MouseDown(TMouseButton::mbLeft, 0, 10, 10);
  EXPECT_EQ(host.pointer, -1);
  image.MouseUp(TMouseButton::mbLeft, 0, 10, 10);
  EXPECT_EQ(host.pointer, 2);
}

TEST_F(PenSurface, SetMModeZeroKeepsTheModeAndEndsTheGestureState) {
  image.BShift = ssAlt;
  image.MouseF = 2;
  image.SetMMode(0, false);
  EXPECT_EQ(image.MMode, 2);
  EXPECT_EQ(image.MouseF, 0);
  EXPECT_EQ(image.BShift, ssAlt);
  image.SetMMode(4, true);
  EXPECT_EQ(host.pointer, 13);
  EXPECT_EQ(image.BShift, 0);
  image.SetMMode(3, false);
  EXPECT_EQ(image.PenWidth, 36);
  EXPECT_EQ(host.pointer, 10);
}

TEST(PenCursor, IndexByColourAndCoverage) {
  struct Case {
    int color;
    int alpha;
    int index;
  };
  const Case cases[] = {
      {0x08000000, 255, 1}, {0x18000001, 100, 5}, {0x000000, 255, 3},
      {0x212121, 255, 3},   {0x002200, 255, 2},   {0xDEDEDE, 255, 4},
      {0xDEDDDE, 0, 6},     {0x10FFFFFF, 100, 8}, {0x08000002, 255, 3},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(lumidraw::surface::pen_cursor_index(c.color, c.alpha), c.index)
        << std::hex << c.color;
  }
}

TEST_F(PenSurface, ColouredPointerIsTintedAtTheListedPixels) {
  host.pointerImages[6] = Bitmap32(32, 32, 0xAA123456);
  // Red 50, green 100, blue 200; a marker.
  Pen({0xC86432, 8, 0});
  EXPECT_EQ(host.pointer, 6);
  const Bitmap32& tinted = host.pointerImages[6];
  EXPECT_EQ(tinted.pixel(0, 0), 0xAA3264C8u);
  EXPECT_EQ(tinted.pixel(4, 4), 0xAA3264C8u);
  // x 0.98: 49, 98, 196.
  EXPECT_EQ(tinted.pixel(3, 5), 0xAA3162C4u);
  // x 0.73: 36.5 to 36, 73, 146.
  EXPECT_EQ(tinted.pixel(1, 3), 0xAA244992u);
  // x 0.59: 29.5 to 30, 59, 118.
  EXPECT_EQ(tinted.pixel(2, 6), 0xAA1E3B76u);
  EXPECT_EQ(tinted.pixel(6, 6), 0xAA123456u);
  EXPECT_EQ(tinted.pixel(1, 1), 0xAA3264C8u);
  EXPECT_EQ(tinted.pixel(6, 3), 0xAA123456u);
}

TEST(PenCursor, TintsASmallerPictureWithinItsBounds) {
  Bitmap32 small(3, 2, 0);
  lumidraw::surface::tint_pen_pointer(small, 0x0000FF);
  EXPECT_EQ(small.pixel(0, 0), 0xFF0000u);
  EXPECT_EQ(small.pixel(1, 0), 0x960000u);  // 255 x 0.59 = 150.45
  EXPECT_EQ(small.pixel(2, 0), 0x960000u);
  EXPECT_EQ(small.pixel(1, 1), 0xFF0000u);
}

}  // namespace
