// Zoom steps about a point, the stack of saved views, and panning.
#include <gtest/gtest.h>

#include <vector>

#include "fake_surface_host.h"
#include "settings/settings_catalogue.h"
#include "strokes/pen_list.h"
#include "strokes/undo_history.h"
#include "surface/pen_image.h"

namespace {

using lumidraw::gfx::Bitmap32;
using lumidraw::gfx::Point;

struct View {
  double bai;
  int px, py, depth;
  friend bool operator==(const View&, const View&) = default;
};

// A 400 x 300 picture on a 200 x 150 control that sits at (1000, 500) on the screen.
class Zoom : public ::testing::Test {
 protected:
  Zoom() : host(200, 150), image(host) {
    savedZoom = lumidraw::settings::Zoom;
    lumidraw::settings::Zoom = 1.15;
    host.origin = {1000, 500};
    lumidraw::strokes::UndoInit();
    image.BitmapLoad(Bitmap32(400, 300, 0x336699), true);
    image.isFixed = true;
    image.PenList = &list;
    image.BitmapDispAll();
  }
  ~Zoom() override { lumidraw::settings::Zoom = savedZoom; }

  View Now() const { return {image.bai, image.px, image.py, image.CrZoom}; }

  double savedZoom;
  TFakeSurfaceHost host;
  TPenImage image;
  lumidraw::strokes::TPenList list;
};

TEST_F(Zoom, ScalesKeepOneDecimalRoundedAtExtendedPrecision) {
  ASSERT_EQ(image.zoom0, 1.0);
  std::vector<double> scales;
  for (int i = 0; i < 8; ++i) {
    image.ExpandL({1000, 500}, 1);
    scales.push_back(image.bai);
  }
  EXPECT_EQ(scales, (std::vector<double>{1.1, 1.3, 1.5, 1.7, 2.0, 2.3, 2.7, 3.1}));
}

TEST_F(Zoom, ThePicturePointUnderTheCentreStaysThere) {
  image.px = -100;
  image.py = -75;
  // Screen (1100, 575) is control (100, 75), over picture point (200, 150).
  image.ExpandL({1100, 575}, 1);
  EXPECT_EQ(image.bai, 1.1);
  EXPECT_EQ(image.px, -120);  // 100 - 200 * 1.1
  EXPECT_EQ(image.py, -90);   // 75 - 150 * 1.1
  image.ExpandL({1100, 575}, 1);
  EXPECT_EQ(image.bai, 1.3);
  EXPECT_EQ(image.px, -160);
  EXPECT_EQ(image.py, -120);
}

TEST_F(Zoom, ZoomingOutRestoresTheViewExactlyWhateverPanningHappened) {
  image.px = -100;
  image.py = -75;
  image.BitmapDispAll();
  const View start = Now();
  image.Expand({1100, 575}, 1);
  image.Expand({1030, 510}, 1);
  const View second = Now();
  EXPECT_EQ(second.depth, 2);

  image.SetMMode(1, true);
  image.MouseDown(TMouseButton::mbLeft, 0, 50, 50);
  EXPECT_EQ(host.pointer, 12);
  image.MouseMove(0, 70, 40);
  EXPECT_EQ(image.px, second.px + 20);
  EXPECT_EQ(image.py, second.py - 10);
  image.MouseUp(TMouseButton::mbLeft, 0, 70, 40);
  EXPECT_EQ(host.pointer, 11);

  image.Expand({1000, 500}, 0);
  image.Expand({1000, 500}, 0);
  EXPECT_EQ(Now(), start);
}

TEST_F(Zoom, TheStackHoldsEighteenViews) {
  std::vector<View> views{Now()};
  for (int i = 0; i < 18; ++i) {
    image.ExpandL({1000 + 3 * i, 500 + 2 * i}, 1);
    views.push_back(Now());
  }
  EXPECT_EQ(image.CrZoom, 18);
  image.ExpandL({1100, 575}, 1);
  EXPECT_EQ(Now(), views.back());
  for (int i = 17; i >= 0; --i) {
    image.ExpandL({1000, 500}, 2);
    EXPECT_EQ(Now(), views[static_cast<std::size_t>(i)]) << i;
  }
  image.ExpandL({1000, 500}, 0);
  EXPECT_EQ(Now(), views.front());
}

TEST_F(Zoom, NothingHappensWhileTheLassoIsBusy) {
  const View start = Now();
  host.events.clear();
  image.RgnPBox.Visible = true;
  image.Expand({1100, 575}, 1);
  EXPECT_EQ(Now(), start);
  image.RgnPBox.Visible = false;
  image.MouseF = 4;
  image.Expand({1100, 575}, 1);
  EXPECT_EQ(Now(), start);
  EXPECT_TRUE(host.events.empty());
  image.MouseF = 0;
  image.Expand({1100, 575}, 1);
  EXPECT_EQ(image.CrZoom, 1);
  EXPECT_FALSE(host.events.empty());  // repainted
}

TEST_F(Zoom, TheDeepestZoomAtTheLargestFactorStillRepaints) {
  lumidraw::settings::Zoom = 2.0;
  Bitmap32 picture(400, 300, 0x336699);
  picture.set_pixel(199, 149, 0xABCDEF);
  image.BitmapLoad(picture, true);
  image.BitmapDispAll();
  ASSERT_EQ(image.DisplayPicture().pixel(199, 149), 0xABCDEFu);
  // Zooming in about that pixel's top-left corner keeps the pixel under the point; its
  // neighbours above and to the left fill the rest of the control.
  for (int i = 0; i < 18; ++i) image.Expand({1199, 649}, 1);
  EXPECT_EQ(image.bai, 262144.0);
  EXPECT_EQ(image.DisplayPicture().pixel(199, 149), 0xABCDEFu);
  EXPECT_EQ(image.DisplayPicture().pixel(198, 149), 0x336699u);
  EXPECT_EQ(image.DisplayPicture().pixel(199, 148), 0x336699u);
  for (int i = 0; i < 18; ++i) image.Expand({1000, 500}, 0);
  EXPECT_EQ(image.bai, 1.0);
}

}  // namespace
