#include "surface/pen_image.h"

#include <gtest/gtest.h>

#include <new>
#include <random>
#include <string>
#include <vector>

#include "fake_surface_host.h"
#include "pen_image_probe.h"
#include "reference_composition.h"
#include "strokes/pen_list.h"
#include "strokes/undo_history.h"
#include "surface/stroke_counter.h"

namespace {

using lumidraw::gfx::Bitmap32;
using lumidraw::gfx::Pixel32;
using lumidraw::gfx::Point;
using lumidraw::gfx::Rect;
using lumidraw::surface::ComposeBox;
using lumidraw::surface::ComposeKernel;
using lumidraw::surface::kNoInk;
using P = TPenImageProbe;

// A picture whose every pixel is different: 0x00XXYY00 + 0x11.
Bitmap32 Pattern(int w, int h) {
  Bitmap32 b(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) b.set_pixel(x, y, (Pixel32(x) << 16) | (Pixel32(y) << 8) | 0x11);
  }
  return b;
}

// Compares a picture with a map of characters: '.' is `back`, a letter is the
// pattern pixel listed for it.
void ExpectPicture(const Bitmap32& actual, const std::vector<std::string>& rows, Pixel32 back,
                   const std::string& letters, const std::vector<Pixel32>& pixels) {
  ASSERT_EQ(actual.height(), static_cast<int>(rows.size()));
  for (int y = 0; y < actual.height(); ++y) {
    ASSERT_EQ(actual.width(), static_cast<int>(rows[y].size()));
    for (int x = 0; x < actual.width(); ++x) {
      const char c = rows[y][x];
      const Pixel32 expected = c == '.' ? back : pixels[letters.find(c)];
      EXPECT_EQ(actual.pixel(x, y), expected) << "at " << x << "," << y << " ('" << c << "')";
    }
  }
}

TEST(PenImage, StartsEmptyAndAsksTheDisplayDepthOnce) {
  TFakeSurfaceHost host(10, 10, 8);
  TPenImage image(host);
  EXPECT_TRUE(P::Is256(image));
  EXPECT_EQ(image.sw, 0);
  EXPECT_EQ(image.bai, 1.0);
  EXPECT_FALSE(image.isFixed);
  EXPECT_EQ(P::Coverage(image).width(), 2);
  EXPECT_EQ(P::RowTableSizes(image), (std::vector<std::size_t>{0, 2, 0, 0}));

  TFakeSurfaceHost trueColour(10, 10, 16);
  EXPECT_FALSE(P::Is256(TPenImage(trueColour)));
}

TEST(PenImage, BitmapSetResizesEveryLayerAndKeepsContents) {
  TFakeSurfaceHost host(10, 10);
  TPenImage image(host);
  image.BitmapSet(5, 4);
  EXPECT_EQ(P::Coverage(image).width(), 12);
  EXPECT_EQ(P::Coverage(image).height(), 10);
  EXPECT_EQ(P::RowTableSizes(image), (std::vector<std::size_t>{4, 10, 4, 4}));
  P::Background(image).set_pixel(1, 1, 0xABCDEF);
  P::Ink(image).set_pixel(4, 3, 0x123456);

  image.BitmapSet(7, 6);
  EXPECT_EQ(image.sw, 7);
  EXPECT_EQ(image.sh, 6);
  EXPECT_EQ(image.BBitmap().pixel(1, 1), 0xABCDEFu);
  EXPECT_EQ(P::Ink(image).pixel(4, 3), 0x123456u);
  EXPECT_EQ(P::Picture(image).width(), 7);
  EXPECT_EQ(P::RowTableSizes(image), (std::vector<std::size_t>{6, 14, 6, 6}));

  image.BitmapSet(-3, 2);
  EXPECT_EQ(image.sw, 0);
  EXPECT_EQ(P::Picture(image).width(), 0);
}

TEST(PenImage, BitmapSetWithoutMemoryLeavesNoPictureRatherThanMixedLayers) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer stops at an impossible allocation";
#endif
  TFakeSurfaceHost host(10, 10);
  TPenImage image(host);
  image.BitmapSet(4, 3);
  EXPECT_THROW(image.BitmapSet(1 << 20, 1 << 20), std::bad_alloc);
  EXPECT_EQ(image.sw, 0);
  EXPECT_EQ(image.sh, 0);
  EXPECT_EQ(P::RowTableSizes(image), (std::vector<std::size_t>{0, 0, 0, 0}));
  P::SetSegment(image, {0, 0}, {5, 5});
  P::ComposeRect(image, true);
  image.BitmapSet(4, 3);
  EXPECT_EQ(P::RowTableSizes(image), (std::vector<std::size_t>{3, 8, 3, 3}));
}

TEST(PenImage, BitmapLoadTakesThePictureAndResetsViewAndInk) {
  TFakeSurfaceHost host(10, 10);
  TPenImage image(host);
  image.BitmapSet(50, 40);
  image.px = 7;
  image.bai = 2.0;
  image.CrZoom = 3;
  image.zoom[1] = TZoom{{4, 5}, 1.5};
  image.MouseF = 2;
  P::Coverage(image).fill(200);

  const Bitmap32 picture = Pattern(3, 2);
  image.BitmapLoad(picture, true);
  EXPECT_EQ(image.sw, 3);
  EXPECT_EQ(image.sh, 2);
  EXPECT_EQ(image.BBitmap(), picture);
  EXPECT_EQ(P::Picture(image), picture);
  EXPECT_EQ(P::Ink(image), Bitmap32(3, 2, kNoInk));
  EXPECT_EQ(P::Coverage(image).width(), 8);
  for (const auto c : P::Coverage(image).pixels()) ASSERT_EQ(c, 0);
  EXPECT_EQ(image.px, 0);
  EXPECT_EQ(image.py, 0);
  EXPECT_EQ(image.bai, 1.0);
  EXPECT_EQ(image.zoom0, 1.0);
  EXPECT_EQ(image.CrZoom, 0);
  EXPECT_EQ(image.MouseF, 0);
  for (const TZoom& z : image.zoom) {
    EXPECT_EQ(z.p, (Point{-10000, -10000}));
    EXPECT_EQ(z.b, -1.0);
  }
}

TEST(PenImage, WBrdLoadShowsTheBoardWithoutInk) {
  TFakeSurfaceHost host(10, 10);
  TPenImage image(host);
  image.px = 4;
  image.WBrdLoad(6, 5, TWhiteBoardLook{0x00112233, 0x00445566, true, false, 2, 2});
  const Pixel32 board = 0x332211;
  const Pixel32 line = 0x665544;
  Bitmap32 expected(6, 5, board);
  expected.fill_rect({0, 2, 6, 3}, line);
  expected.fill_rect({0, 4, 6, 5}, line);
  EXPECT_EQ(image.BBitmap(), expected);
  EXPECT_EQ(P::Picture(image), expected);
  EXPECT_EQ(image.px, 0);
}

TEST(PenImage, BitmapEraseClearsTheListOnlyWhenNotInitialising) {
  lumidraw::strokes::UndoInit();
  TFakeSurfaceHost host(10, 10);
  TPenImage image(host);
  image.BitmapSet(4, 4);
  lumidraw::strokes::TPenList list;
  list.AddPenDn(1, 2, 1024, 0xFF, 0, 2, 3, 255);
  list.AddPenUp(lumidraw::strokes::StrokeEnd);
  image.PenList = &list;
  P::Ink(image).fill(0x00FF0000);

  image.BitmapErase(true);
  EXPECT_EQ(P::Ink(image), Bitmap32(4, 4, kNoInk));
  EXPECT_EQ(list.GetCount(), 3);
  EXPECT_EQ(lumidraw::strokes::UndoPos(), -1);

  image.BitmapErase(false);
  EXPECT_EQ(list.GetCount(), 0);
  ASSERT_EQ(lumidraw::strokes::UndoPos(), 0);
  EXPECT_EQ(lumidraw::strokes::UndoList(0).GetCount(), 0);
  lumidraw::strokes::UndoInit();
}

TEST(PenImage, BitmapEraseResetsTheCounterOnlyForRainbowByStroke) {
  TFakeSurfaceHost host(10, 10);
  TPenImage image(host);
  StrokeCounter = 5;
  image.PenColor = 0x08000000;
  image.BitmapErase(true);
  EXPECT_EQ(StrokeCounter, 5);
  image.PenColor = 0x08000001;
  image.BitmapErase(true);
  EXPECT_EQ(StrokeCounter, 0);
}

// A surface with a 30 x 20 grey background, no coverage and red ink everywhere, so a
// composed pixel becomes (0x64 * 255) >> 8 = 0x63 grey and an untouched one stays 0x64.
struct TBorderSurface {
  TBorderSurface() : host(10, 10), image(host) {
    image.BitmapLoad(Bitmap32(30, 20, 0x646464), true);
    P::Ink(image).fill(0xFF0000);
    image.PenWidth = 4;  // margin 5
  }
  Rect ComposedArea() const {
    Rect r{30, 20, 0, 0};
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 30; ++x) {
        if (P::Picture(image).pixel(x, y) != 0x636363) continue;
        r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1),
             std::max(r.bottom, y + 1)};
      }
    }
    return r;
  }
  // Pixels changed inside `r` only, all of them.
  void ExpectComposedExactly(const Rect& r) const {
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 30; ++x) {
        EXPECT_EQ(P::Picture(image).pixel(x, y), r.contains({x, y}) ? 0x636363u : 0x646464u)
            << x << "," << y;
      }
    }
  }
  TFakeSurfaceHost host;
  TPenImage image;
};

TEST(PenImage, SegmentAtTheBorderComposesOnlyTheClampedBox) {
  {
    TBorderSurface s;
    P::SetSegment(s.image, {1, 0}, {0, 1});
    EXPECT_EQ(P::ComposeRect(s.image, true), (ComposeBox{5, 5, 5, 5, 5, false}));
    s.ExpectComposedExactly({0, 0, 10, 10});
  }
  {
    TBorderSurface s;
    P::SetSegment(s.image, {40, 19}, {29, 30});
    EXPECT_EQ(P::ComposeRect(s.image, true), (ComposeBox{25, 15, 25, 15, 5, false}));
    s.ExpectComposedExactly({20, 10, 30, 20});
  }
}

TEST(PenImage, SmoothedStrokeComposesTheBoxOfAllItsPoints) {
  TBorderSurface s;
  s.image.PenWidth = 0;  // margin 3
  EXPECT_TRUE(P::ComposeRect(s.image, false).empty);
  s.ExpectComposedExactly({});
  P::Points(s.image) = {{10, 12}, {4, 15}, {8, 9}};
  EXPECT_EQ(P::ComposeRect(s.image, false), (ComposeBox{4, 9, 10, 15, 3, false}));
  s.ExpectComposedExactly({1, 6, 13, 18});
}

TEST(PenImage, PictureNarrowerThanTwiceTheMarginIsComposedWithinItsLayers) {
  TFakeSurfaceHost host(10, 10);
  TPenImage image(host);
  image.BitmapLoad(Bitmap32(6, 4, 0x646464), true);
  P::Ink(image).fill(0xFF0000);
  image.PenWidth = 10;
  P::SetSegment(image, {2, 1}, {3, 2});
  P::ComposeRect(image, true);
  EXPECT_EQ(P::Picture(image), Bitmap32(6, 4, 0x636363));
}

TEST(PenImage, ComposeAllMatchesTheReferenceWithEveryKernel) {
  std::mt19937 random(7);
  for (const bool is256 : {false, true}) {
    for (const ComposeKernel kernel :
         {ComposeKernel::portable, ComposeKernel::sse2, ComposeKernel::avx2}) {
      if (!lumidraw::surface::has_kernel(kernel)) continue;
      TFakeSurfaceHost host(10, 10);
      TPenImage image(host);
      Bitmap32 background(67, 29);
      for (auto& p : background.pixels()) p = random() & 0xFFFFFF;
      image.BitmapLoad(background, true);
      for (auto& p : P::Ink(image).pixels()) p = random() % 2 ? kNoInk : random() & 0xFFFFFF;
      for (auto& c : P::Coverage(image).pixels()) c = static_cast<std::uint8_t>(random());
      P::SetIs256(image, is256);
      P::SetKernel(image, kernel);
      P::ComposeAll(image);
      for (int y = 0; y < 29; ++y) {
        for (int x = 0; x < 67; ++x) {
          ASSERT_EQ(P::Picture(image).pixel(x, y),
                    ReferencePixel(P::Ink(image).pixel(x, y), background.pixel(x, y),
                                   P::Coverage(image), x, y, is256))
              << x << "," << y << " is256 " << is256;
        }
      }
    }
  }
}

TEST(PenImage, ShowRectCopiesTheSnappedBlocksAtScaleAndOffset) {
  TFakeSurfaceHost host(50, 40);
  TPenImage image(host);
  image.BackColor = 0x0000FF;  // red
  const Bitmap32 picture = Pattern(40, 30);
  image.BitmapLoad(picture, true);

  P::ShowRect(image, ComposeBox{13, 13, 14, 14, 3, false});
  ASSERT_EQ(host.changed, (std::vector<Rect>{{10, 10, 20, 20}}));
  const Bitmap32& display = image.DisplayPicture();
  ASSERT_EQ(display.width(), 50);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 50; ++x) {
      const bool copied = x >= 10 && x < 20 && y >= 10 && y < 20;
      ASSERT_EQ(display.pixel(x, y), copied ? picture.pixel(x, y) : 0xFF0000u) << x << "," << y;
    }
  }

  // Twice the size, shifted: the blocks land at round(10 * 2) + 5 .. round(20 * 2) + 5.
  TFakeSurfaceHost zoomedHost(50, 40);
  TPenImage zoomed(zoomedHost);
  zoomed.BitmapLoad(picture, true);
  zoomed.bai = 2.0;
  zoomed.px = 5;
  zoomed.py = -3;
  P::ShowRect(zoomed, ComposeBox{13, 13, 14, 14, 3, false});
  ASSERT_EQ(zoomedHost.changed, (std::vector<Rect>{{25, 17, 45, 37}}));
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 50; ++x) {
      const bool copied = x >= 25 && x < 45 && y >= 17 && y < 37;
      const Pixel32 expected =
          copied ? picture.pixel((x - 25) / 2 + 10, (y - 17) / 2 + 10) : Pixel32{0};
      ASSERT_EQ(zoomed.DisplayPicture().pixel(x, y), expected) << x << "," << y;
    }
  }
}

TEST(PenImage, ShowRectNearThePictureEdgeCopiesOnlyThePicture) {
  TFakeSurfaceHost host(30, 30);
  TPenImage image(host);
  image.BackColor = 0x0000FF;
  const Bitmap32 picture = Pattern(25, 25);
  image.BitmapLoad(picture, true);
  // Snapped to 20..40 on both axes, past the picture and the control.
  P::ShowRect(image, ComposeBox{25, 25, 25, 25, 5, false});
  EXPECT_EQ(host.changed, (std::vector<Rect>{{20, 20, 30, 30}}));
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 30; ++x) {
      const bool copied = x >= 20 && x < 25 && y >= 20 && y < 25;
      ASSERT_EQ(image.DisplayPicture().pixel(x, y), copied ? picture.pixel(x, y) : 0xFF0000u)
          << x << "," << y;
    }
  }
}

TEST(PenImage, BitmapDispAllCentresASmallPictureOnTheBackColour) {
  TFakeSurfaceHost host(10, 7);
  TPenImage image(host);
  image.isFixed = true;
  image.BackColor = 0x0000FF;
  const Bitmap32 picture = Pattern(4, 3);
  image.BitmapLoad(picture, true);
  image.BitmapDispAll();
  EXPECT_EQ(image.px, 3);
  EXPECT_EQ(image.py, 2);
  ExpectPicture(
      image.DisplayPicture(),
      {"..........",  //
       "..........",  //
       "...abcd...",  //
       "...efgh...",  //
       "...ijkl...",  //
       "..........",  //
       ".........."},
      0xFF0000, "abcdefghijkl",
      {picture.pixel(0, 0), picture.pixel(1, 0), picture.pixel(2, 0), picture.pixel(3, 0),
       picture.pixel(0, 1), picture.pixel(1, 1), picture.pixel(2, 1), picture.pixel(3, 1),
       picture.pixel(0, 2), picture.pixel(1, 2), picture.pixel(2, 2), picture.pixel(3, 2)});
  EXPECT_EQ(host.changed.back(), (Rect{0, 0, 10, 7}));
}

TEST(PenImage, BitmapDispAllAtDoubleScaleRepeatsEveryPixel) {
  TFakeSurfaceHost host(9, 6);
  TPenImage image(host);
  image.isFixed = true;
  image.BackColor = 0x0000FF;
  const Bitmap32 picture = Pattern(3, 2);
  image.BitmapLoad(picture, true);
  image.bai = 2.0;
  image.BitmapDispAll();
  ExpectPicture(image.DisplayPicture(),
                {".........",  //
                 ".aabbcc..",  //
                 ".aabbcc..",  //
                 ".ddeeff..",  //
                 ".ddeeff..",  //
                 "........."},
                0xFF0000, "abcdef",
                {picture.pixel(0, 0), picture.pixel(1, 0), picture.pixel(2, 0), picture.pixel(0, 1),
                 picture.pixel(1, 1), picture.pixel(2, 1)});
}

TEST(PenImage, BitmapDispAllLeavesNoGapAtTheRightEdge) {
  TFakeSurfaceHost host(20, 4);
  TPenImage image(host);
  image.isFixed = true;
  const Bitmap32 picture = Pattern(30, 4);
  image.BitmapLoad(picture, true);
  image.px = -25;
  image.BitmapDispAll();
  EXPECT_EQ(image.px, -10);
  EXPECT_EQ(image.py, 0);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 20; ++x) {
      ASSERT_EQ(image.DisplayPicture().pixel(x, y), picture.pixel(x + 10, y)) << x << "," << y;
    }
  }
}

TEST(PenImage, BitmapDispAllLetsMessagesRunFirstAndFollowsTheClientSize) {
  TFakeSurfaceHost host(8, 6);
  TPenImage image(host);
  image.isFixed = true;
  image.BitmapLoad(Pattern(4, 4), true);
  // A handler that runs meanwhile resizes the control.
  host.onMessages = [&host] { host.client = {12, 5}; };
  image.BitmapDispAll();
  EXPECT_EQ(host.events, (std::vector<std::string>{"messages", "changed"}));
  EXPECT_EQ(image.DisplayPicture().width(), 12);
  EXPECT_EQ(image.DisplayPicture().height(), 5);
  EXPECT_EQ(host.changed.back(), (Rect{0, 0, 12, 5}));
  EXPECT_EQ(image.px, 4);
}

TEST(PenImage, BitmapDispCenterFitsThePictureOrDoesNothing) {
  TFakeSurfaceHost host(100, 100);
  TPenImage image(host);
  image.BitmapDispCenter();
  EXPECT_TRUE(host.events.empty());
  EXPECT_EQ(image.bai, 1.0);

  image.BitmapLoad(Bitmap32(40, 20, 0x646464), true);
  image.CrZoom = 2;
  image.BitmapDispCenter();
  EXPECT_EQ(image.bai, 2.5);
  EXPECT_EQ(image.px, 0);
  EXPECT_EQ(image.py, 25);
  EXPECT_EQ(image.zoom0, 2.5);
  EXPECT_EQ(image.CrZoom, 0);
  EXPECT_EQ(image.DisplayPicture().pixel(50, 30), 0x646464u);
  EXPECT_EQ(image.DisplayPicture().pixel(50, 20), 0u);

  // No client area to fit into: the view stays.
  host.client = {0, 0};
  image.BitmapDispCenter();
  EXPECT_EQ(image.bai, 2.5);
}

TEST(PenImage, BitmapDispFitsOnlyWhenTheViewIsNotFixed) {
  TFakeSurfaceHost host(100, 100);
  TPenImage image(host);
  image.BitmapLoad(Bitmap32(40, 20, 0x646464), true);
  image.isFixed = true;
  image.BitmapDisp();
  EXPECT_EQ(image.bai, 1.0);
  EXPECT_EQ(image.px, 30);
  image.isFixed = false;
  image.BitmapDisp();
  EXPECT_EQ(image.bai, 2.5);
}

TEST(PenImage, BitmapDispAllWithoutAUsableScaleShowsTheBackColour) {
  TFakeSurfaceHost host(5, 4);
  TPenImage image(host);
  image.BackColor = 0x0000FF;
  image.BitmapLoad(Bitmap32(40, 20, 0x646464), true);
  image.bai = 0.0;
  image.BitmapDispAll();
  EXPECT_EQ(image.DisplayPicture(), Bitmap32(5, 4, 0xFF0000));
}

TEST(PenImage, ScreenToPictureRoundsHalvesToEven) {
  TFakeSurfaceHost host(10, 10);
  TPenImage image(host);
  image.px = 3;
  image.py = 1;
  image.bai = 2.0;
  EXPECT_EQ(P::ScreenToPicture(image, 8, 6), (Point{2, 2}));     // 2.5, 2.5
  EXPECT_EQ(P::ScreenToPicture(image, 10, 8), (Point{4, 4}));    // 3.5, 3.5
  EXPECT_EQ(P::ScreenToPicture(image, 0, -2), (Point{-2, -2}));  // -1.5, -1.5
}

}  // namespace
