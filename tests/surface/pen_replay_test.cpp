#include <gtest/gtest.h>

#include <climits>

#include "pen_surface_fixture.h"

namespace {

using lumidraw::gfx::Point;
using P = TPenImageProbe;

TEST_F(PenSurface, ReplayRebuildsTheLivePicture) {
  Pen({0x08000000, 5, 1});
  Stroke({{10, 10}, {60, 30}, {90, 20}});
  Pen({0x1000FF00, 3, 1});
  Stroke({{10, 80}, {30, 90}, {50, 80}, {70, 90}, {90, 80}});
  Pen({0xFF0000, 12, 0});
  Stroke({{20, 20}, {80, 90}});
  image.MouseDown(TMouseButton::mbRight, 0, 40, 0);
  image.MouseMove(0, 40, 110);
  image.MouseUp(TMouseButton::mbRight, 0, 40, 110);
  lumidraw::settings::PenRevise = 1;
  Pen({0x00AA00, 4, 1});
  Stroke({{120, 10}, {140, 40}, {150, 70}, {170, 80}, {190, 110}, {195, 115}});
  const auto live = P::Picture(image);
  const auto liveInk = P::Ink(image);

  image.BitmapErase(true);
  image.PenListPlay(false);
  EXPECT_EQ(P::Picture(image), live);
  EXPECT_EQ(P::Ink(image), liveInk);
  // Over the layers as they are: the same again.
  image.PenListPlay(true);
  EXPECT_EQ(P::Picture(image), live);
  // The pen state is back.
  EXPECT_EQ(image.PenColor, 0x00AA00);
  EXPECT_EQ(image.PenWidth, 4);
  EXPECT_EQ(image.Pentype, 1);
  EXPECT_EQ(image.MMode, 2);
  EXPECT_FALSE(image.RgnPBox.Visible);
}

TEST_F(PenSurface, EraserReplaysInItsPlace) {
  Stroke({{20, 40}, {180, 40}});
  lumidraw::settings::EraseDefault = 2;
  image.SetMMode(3, false);
  Stroke({{100, 5}, {100, 115}});
  image.DPenSet({0x00FF00, 4, 1});
  image.SetMMode(2, false);
  Stroke({{20, 80}, {180, 80}, {180, 30}});

  image.BitmapErase(true);
  image.PenListPlay(false);
  EXPECT_EQ(Ink(100, 40), kNoInk);
  EXPECT_EQ(Ink(60, 40), 0xFF0000u);
  // The green stroke came after the eraser.
  EXPECT_EQ(Ink(100, 80), 0x00FF00u);
  EXPECT_EQ(Ink(180, 40), 0x00FF00u);
}

TEST_F(PenSurface, EraserClickErasesNothingAlsoInReplay) {
  Stroke({{20, 40}, {180, 40}});
  image.MouseDown(TMouseButton::mbRight, 0, 100, 40);
  image.MouseUp(TMouseButton::mbRight, 0, 100, 40);
  EXPECT_NE(Ink(100, 40), kNoInk);
  image.BitmapErase(true);
  image.PenListPlay(false);
  EXPECT_NE(Ink(100, 40), kNoInk);
}

TEST_F(PenSurface, SelectedStrokeLeavesThePictureForTheBox) {
  list.AddPenDn(10, 10, 1024, 0x0000FF, 0, 2, 4, 255);
  list.AddXY(30, 10, 1024);
  list.AddPenUp(lumidraw::strokes::StrokeEnd);
  list.AddPenDn(20, 30, 1024, 0x0000FF, 0, 2, 4, 255);
  list.AddXY(40, 35, 1024);
  list.AddPenUp(lumidraw::strokes::StrokeEnd);
  list.Select(4);
  image.bai = 2.0;
  image.px = -20;
  image.py = -10;
  image.PenListPlay(false);
  EXPECT_EQ(Ink(30, 32), kNoInk);
  EXPECT_NE(Ink(20, 10), kNoInk);
  // The selected points span (20, 30)-(40, 35); 5 pixels around them, at scale 2.
  ASSERT_TRUE(image.RgnPBox.Visible);
  EXPECT_EQ(image.RgnPBox.Left, 2 * 15 - 20);
  EXPECT_EQ(image.RgnPBox.Top, 2 * 25 - 10);
  EXPECT_EQ(image.RgnPBox.Width, 2 * 30);
  EXPECT_EQ(image.RgnPBox.Height, 2 * 15);
  EXPECT_FALSE(image.Rgnf);
  ASSERT_EQ(image.RgnBitmap.width(), 60);
  ASSERT_EQ(image.RgnBitmap.height(), 30);
  // Black along the stroke, white in the margin.
  EXPECT_EQ(image.RgnBitmap.pixel(10, 10), 0);
  EXPECT_EQ(image.RgnBitmap.pixel(30, 14), 0);
  EXPECT_EQ(image.RgnBitmap.pixel(2, 2), 1);
  EXPECT_EQ(image.RgnBitmap.pixel(58, 2), 1);
  EXPECT_EQ(host.boxChanges, 1);

  list.SelectNone();
  image.PenListPlay(false);
  EXPECT_FALSE(image.RgnPBox.Visible);
  EXPECT_TRUE(image.RgnBitmap.empty());
  EXPECT_NE(Ink(30, 32), kNoInk);
  EXPECT_EQ(host.boxChanges, 2);
}

TEST_F(PenSurface, LeavingTheLassoWithASelectionPutsTheStrokesBack) {
  list.AddPenDn(20, 30, 1024, 0x0000FF, 0, 2, 4, 255);
  list.AddXY(40, 35, 1024);
  list.AddPenUp(lumidraw::strokes::StrokeEnd);
  image.SetMMode(4, false);
  list.Select(0);
  image.PenListPlay(false);
  ASSERT_TRUE(image.RgnPBox.Visible);
  ASSERT_EQ(Ink(30, 32), kNoInk);

  image.SetMMode(2, false);
  EXPECT_FALSE(list.Selected());
  EXPECT_FALSE(image.RgnPBox.Visible);
  EXPECT_NE(Ink(30, 32), kNoInk);
  EXPECT_EQ(lumidraw::strokes::UndoLast(), 0);
  EXPECT_EQ(host.pointer, 2);
}

TEST_F(PenSurface, ReplayOfOneEntryComposesNothing) {
  // Ink put straight into the layers shows only once something composes it.
  P::Ink(image).set_pixel(5, 5, 0x123456);
  for (int y = 10; y <= 12; ++y) {
    for (int x = 10; x <= 12; ++x) P::Coverage(image).set_pixel(x, y, 255);
  }
  list.AddDn(lumidraw::strokes::StrokeHeader, 0x0000FF, 0, 2, 4, 255);
  image.PenListPlay(false);
  EXPECT_EQ(P::Picture(image).pixel(5, 5), kWhite);
  list.AddPenUp(lumidraw::strokes::StrokeEnd);
  image.PenListPlay(false);
  EXPECT_EQ(P::Picture(image).pixel(5, 5), 0x113355u);
}

TEST_F(PenSurface, StrokesFarOutsideThePictureReplayAsNothing) {
  for (const int type : {0, 1}) {  // plain and smoothed
    list.Clear();
    list.AddPenDn(2000000000, 10, 1024, 0x0000FF, type, 2, 4, 255);
    list.AddXY(2100000000, INT_MIN, 1024);
    list.AddXY(INT_MAX, 10, 1024);
    for (int i = 0; i < 6; ++i) list.AddXY(1500000000 + i, 1500000000, 1024);
    list.AddPenUp(lumidraw::strokes::StrokeEnd);
    image.PenListPlay(false);
    for (int y = 0; y < image.sh; ++y)
      for (int x = 0; x < image.sw; ++x) ASSERT_EQ(Ink(x, y), kNoInk) << x << ", " << y;
  }
}

TEST_F(PenSurface, UnknownCodesSkipTheirPoints) {
  list.AddDn(-32760, 0, 0, 2, 4, 255);
  list.AddXY(50, 50, 1024);
  list.AddPenUp(lumidraw::strokes::StrokeEnd);
  image.PenListPlay(false);
  EXPECT_EQ(Ink(50, 50), kNoInk);
}

TEST_F(PenSurface, EraserSizes) {
  const int cases[][2] = {{1, 12}, {2, 24}, {3, 36}, {0, 36}, {7, 36}, {-1, 36}};
  for (const auto& c : cases) {
    lumidraw::settings::EraseDefault = c[0];
    image.PenAlpha = 255;
    image.Pentype = 1;
    image.DEraseSet();
    EXPECT_EQ(image.PenWidth, c[1]);
    EXPECT_EQ(image.PenAlpha, 0);
    EXPECT_EQ(image.Pentype, 0);
  }
}

TEST_F(PenSurface, EraseAllEmptiesTheListAndShowsTheBackground) {
  Pen({0x08000001, 4, 1});
  Stroke({{10, 10}, {60, 60}});
  image.BitmapErase(false);
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(StrokeCounter, 0);
  EXPECT_EQ(Ink(30, 30), kNoInk);
  EXPECT_EQ(P::Picture(image).pixel(30, 30), kWhite);
  EXPECT_TRUE(lumidraw::strokes::CanUndo());
}

}  // namespace
