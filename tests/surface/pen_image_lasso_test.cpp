// Lasso selection through the surface's pen input, and the selection box's drag.
#include <gtest/gtest.h>

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
using lumidraw::strokes::SelectedBit;
using lumidraw::strokes::StrokeEnd;
using P = TPenImageProbe;

constexpr Pixel32 kWhite = 0xFFFFFF;
constexpr Pixel32 kRed = 0xFF0000;  // the pen colour 0x0000FF as a pixel

// A white picture of 100 x 80 shown at `scale` on a control of the scaled size.
class Lasso : public ::testing::Test {
 protected:
  explicit Lasso(double scale = 1.0)
      : host(static_cast<int>(100 * scale), static_cast<int>(80 * scale), 8), image(host) {
    lumidraw::settings::PenPressure = false;
    lumidraw::settings::EraseDefault = 1;
    StrokeCounter = 0;
    lumidraw::strokes::UndoInit();
    image.BitmapLoad(Bitmap32(100, 80, kWhite), true);
    image.isFixed = true;
    image.bai = scale;
    image.PenList = &list;
    image.BitmapDispAll();
    image.SetMMode(4, true);
  }

  // A stroke of the list: returns the index of its header.
  int Stroke(const std::vector<Point>& points, int mode = 2, int width = 1) {
    const int header = list.GetCount();
    list.AddPenDn(points[0].x, points[0].y, 1024, 0x0000FF, 0, mode, width, 255);
    for (std::size_t i = 1; i < points.size(); ++i) list.AddXY(points[i].x, points[i].y, 1024);
    list.AddPenUp(StrokeEnd);
    return header;
  }

  void Draw() {
    P::ClearInk(image);
    image.PenListPlay(false);
  }

  // A lasso path through control points.
  void Path(const std::vector<Point>& points) {
    image.MouseDown(TMouseButton::mbLeft, 0, points[0].x, points[0].y);
    for (std::size_t i = 1; i < points.size(); ++i) image.MouseMove(0, points[i].x, points[i].y);
    image.MouseUp(TMouseButton::mbLeft, 0, points.back().x, points.back().y);
  }

  bool IsSelected(int header) const { return (list.PenE(header).m() & SelectedBit) != 0; }

  TFakeSurfaceHost host;
  TPenImage image;
  lumidraw::strokes::TPenList list;
};

class LassoAtScale2 : public Lasso {
 protected:
  LassoAtScale2() : Lasso(2.0) {}
};

TEST_F(Lasso, OnlyStrokesStrictlyInsideTheBoundingRectangleAreSelected) {
  struct Case {
    std::vector<Point> points;
    bool selected;
  };
  const std::vector<Case> cases = {
      {{{10, 20}}, false},            // on the left edge
      {{{30, 20}}, false},            // on the right edge
      {{{20, 10}}, false},            // on the top edge
      {{{20, 30}}, false},            // on the bottom edge
      {{{11, 11}, {29, 29}}, true},   // just inside
      {{{15, 15}, {40, 15}}, false},  // crosses the right edge
      {{{5, 15}, {25, 25}}, false},   // starts outside
      {{{20, 20}}, true},
  };
  std::vector<int> headers;
  for (const Case& c : cases) headers.push_back(Stroke(c.points));
  Draw();
  // Only the path's bounding rectangle (10,10)-(30,30) matters, not its shape.
  Path({{10, 30}, {30, 10}, {12, 12}, {20, 20}});
  for (std::size_t i = 0; i < cases.size(); ++i)
    EXPECT_EQ(IsSelected(headers[i]), cases[i].selected) << i;
  EXPECT_TRUE(list.Selected());
  EXPECT_TRUE(image.RgnPBox.Visible);
  EXPECT_FALSE(image.CanLasso());
  EXPECT_EQ(image.MouseF, 0);
}

TEST_F(Lasso, AOnePointLassoSelectsNothingAndRecordsTheList) {
  const int header = Stroke({{20, 20}, {22, 22}});
  Draw();
  const Bitmap32 picture = P::Picture(image);
  image.MouseDown(TMouseButton::mbLeft, 0, 21, 21);
  EXPECT_FALSE(image.CanLasso());  // while the path is drawn
  image.MouseUp(TMouseButton::mbLeft, 0, 21, 21);
  EXPECT_FALSE(IsSelected(header));
  EXPECT_FALSE(list.Selected());
  EXPECT_FALSE(image.RgnPBox.Visible);
  EXPECT_TRUE(image.CanLasso());
  EXPECT_EQ(lumidraw::strokes::UndoList(lumidraw::strokes::UndoPos()).GetCount(), list.GetCount());
  EXPECT_EQ(P::Picture(image), picture);
}

TEST_F(Lasso, PathIsDrawnGreyOnTheDisplayAndSelectsWithoutAnUndoStep) {
  Stroke({{20, 20}, {22, 22}});
  Draw();
  image.MouseDown(TMouseButton::mbLeft, 0, 5, 40);
  image.MouseMove(0, 50, 40);
  // A one-pixel line up to, not including, its end.
  EXPECT_EQ(image.DisplayPicture().pixel(5, 40), 0x888888u);
  EXPECT_EQ(image.DisplayPicture().pixel(49, 40), 0x888888u);
  EXPECT_EQ(image.DisplayPicture().pixel(50, 40), kWhite);
  image.MouseMove(0, 50, 5);
  image.MouseMove(0, 5, 5);
  image.MouseUp(TMouseButton::mbLeft, 0, 5, 5);
  EXPECT_TRUE(list.Selected());
  EXPECT_EQ(lumidraw::strokes::UndoPos(), -1);
  // The replay repainted the display: the path is gone.
  EXPECT_EQ(image.DisplayPicture().pixel(30, 40), kWhite);
}

TEST_F(Lasso, ASelectedEraserStrokeNoLongerErases) {
  const int pen = Stroke({{5, 50}, {60, 50}});
  const int eraser = Stroke({{20, 50}, {30, 50}}, 3, 12);
  Draw();
  EXPECT_NE(P::Ink(image).pixel(25, 50), kRed);
  Path({{15, 40}, {35, 60}});
  EXPECT_FALSE(IsSelected(pen));
  EXPECT_TRUE(IsSelected(eraser));
  EXPECT_EQ(P::Ink(image).pixel(25, 50), kRed);
  // Its silhouette is black in the box, the rest of the box shows the picture.
  const Bitmap32 box = image.RgnPBoxPaint();
  ASSERT_EQ(box.width(), image.RgnPBox.Width);
  ASSERT_EQ(box.height(), image.RgnPBox.Height);
  const int bx = 25 - image.RgnPBox.Left;
  const int by = 50 - image.RgnPBox.Top;
  EXPECT_EQ(box.pixel(bx, by), 0u);
  EXPECT_EQ(box.pixel(0, 0), image.DisplayPicture().pixel(image.RgnPBox.Left, image.RgnPBox.Top));
}

TEST_F(Lasso, StartingANewPathDropsTheSelection) {
  const int header = Stroke({{20, 20}, {22, 22}});
  Draw();
  Path({{10, 10}, {30, 30}});
  ASSERT_TRUE(IsSelected(header));
  image.MouseDown(TMouseButton::mbLeft, 0, 60, 60);
  EXPECT_FALSE(IsSelected(header));
  EXPECT_FALSE(image.RgnPBox.Visible);
  EXPECT_EQ(P::Ink(image).pixel(21, 21), kRed);
  image.MouseUp(TMouseButton::mbLeft, 0, 60, 60);
}

TEST_F(LassoAtScale2, DraggingTheBoxTenControlPixelsMovesTheStrokesFivePicturePixels) {
  const int header = Stroke({{20, 20}, {30, 24}});
  Draw();
  Path({{30, 30}, {70, 60}});
  ASSERT_TRUE(IsSelected(header));
  ASSERT_TRUE(image.RgnPBox.Visible);
  const int left = image.RgnPBox.Left;
  const int top = image.RgnPBox.Top;
  EXPECT_EQ(left, 30);  // (20 - 5) * 2
  EXPECT_EQ(top, 30);

  image.RgnPBoxMouseDown(5, 5);
  EXPECT_TRUE(image.Rgnf);
  EXPECT_EQ(host.pointer, 12);
  image.RgnPBoxMouseMove(15, 5);  // the pointer moved 10 to the right ...
  EXPECT_EQ(image.RgnPBox.Left, left + 10);
  image.RgnPBoxMouseUp(5, 5);  // ... and the box followed it
  EXPECT_FALSE(image.Rgnf);
  EXPECT_EQ(list.PenE(header + 1), (lumidraw::strokes::TPenE{25, 20, 1024}));
  EXPECT_EQ(list.PenE(header + 2), (lumidraw::strokes::TPenE{35, 24, 1024}));
  EXPECT_TRUE(IsSelected(header));
  EXPECT_EQ(image.RgnPBox.Left, left + 10);
  EXPECT_EQ(host.pointer, 13);  // the lasso's pointer again
  EXPECT_EQ(lumidraw::strokes::UndoPos(), -1);

  // Leaving the lasso mode ends the selection and records it.
  image.SetMMode(2, true);
  EXPECT_FALSE(list.Selected());
  EXPECT_EQ(P::Ink(image).pixel(30, 22), kRed);
  EXPECT_EQ(lumidraw::strokes::UndoList(lumidraw::strokes::UndoPos()).PenE(header + 1),
            (lumidraw::strokes::TPenE{25, 20, 1024}));
}

TEST_F(LassoAtScale2, TheBoxStaysOnTheSurface) {
  Stroke({{20, 20}, {30, 24}});
  Draw();
  Path({{30, 30}, {70, 60}});
  const int width = image.RgnPBox.Width;
  const int height = image.RgnPBox.Height;
  image.RgnPBoxMouseDown(5, 5);
  image.RgnPBoxMouseMove(-100, -100);
  EXPECT_EQ(image.RgnPBox.Left, 0);
  EXPECT_EQ(image.RgnPBox.Top, 0);
  image.RgnPBoxMouseMove(1000, 1000);
  EXPECT_EQ(image.RgnPBox.Left, 200 - width);
  EXPECT_EQ(image.RgnPBox.Top, 160 - height);
  // A move without a press on the box does nothing.
  image.RgnPBoxMouseUp(5, 5);
  const int placed = image.RgnPBox.Left;
  image.RgnPBoxMouseMove(-50, 0);
  image.RgnPBoxMouseUp(-50, 0);
  EXPECT_EQ(image.RgnPBox.Left, placed);
}

}  // namespace
