#pragma once
// A surface with a white picture, a stroke list and the pen settings at known values,
// for driving pen input with synthetic events.

#include <gtest/gtest.h>

#include "fake_surface_host.h"
#include "gfx/bitmap.h"
#include "pen_image_probe.h"
#include "settings/settings_catalogue.h"
#include "strokes/pen_list.h"
#include "strokes/undo_history.h"
#include "surface/current_pen.h"
#include "surface/pen_image.h"
#include "surface/stroke_counter.h"

class PenSurface : public ::testing::Test {
 protected:
  static constexpr lumidraw::gfx::Pixel32 kWhite = 0xFFFFFF;
  static constexpr lumidraw::gfx::Pixel32 kNoInk = 0x7F7F7F;

  PenSurface() : host(200, 120), image(host) {
    namespace settings = lumidraw::settings;
    settings::PenPressure = false;
    settings::PenRevise = 0;
    settings::PenReviseValue = 1;
    settings::MarkerPenAlpha = 100;
    settings::EraseDefault = 3;
    StrokeCounter = 0;
    lumidraw::strokes::UndoInit();
    image.BitmapLoad(lumidraw::gfx::Bitmap32(200, 120, kWhite), true);
    image.isFixed = true;
    image.PenList = &list;
    Pen({0x0000FF, 4, 1});
  }

  // Takes the preset as the tool window would: the current pen, then pen mode.
  void Pen(lumidraw::TPenType pen) {
    CrPen = pen;
    image.DPenSet(pen);
    image.SetMMode(2, true);
  }

  // A left-button stroke through control points.
  void Stroke(std::initializer_list<lumidraw::gfx::Point> points, TShiftState shift = 0) {
    auto p = points.begin();
    image.MouseDown(TMouseButton::mbLeft, shift, p->x, p->y);
    for (++p; p != points.end(); ++p) image.MouseMove(shift, p->x, p->y);
    image.MouseUp(TMouseButton::mbLeft, shift, points.end()[-1].x, points.end()[-1].y);
  }

  lumidraw::gfx::Pixel32 Ink(int x, int y) { return TPenImageProbe::Ink(image).pixel(x, y); }
  int Coverage(int x, int y) { return TPenImageProbe::Coverage(image).pixel(x, y); }
  // Rows of column x (picture pixels) that carry ink.
  int InkThickness(int x) {
    int n = 0;
    for (int y = 0; y < image.sh; ++y) n += Ink(x, y) != kNoInk;
    return n;
  }
  // Rows of coverage column x that are not 0.
  int CoverageThickness(int x) {
    int n = 0;
    for (int y = 0; y < 2 * image.sh + 2; ++y) n += Coverage(x, y) != 0;
    return n;
  }

  TFakeSurfaceHost host;
  TPenImage image;
  lumidraw::strokes::TPenList list;
};
