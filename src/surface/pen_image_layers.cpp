// Construction, sizing and clearing of the layers, and their composition.
#include <algorithm>

#include "gfx/copy.h"
#include "strokes/pen_list.h"
#include "strokes/undo_history.h"
#include "surface/pen_image.h"
#include "surface/stroke_counter.h"

namespace {

using lumidraw::gfx::Point;
using lumidraw::surface::ComposeBox;

// Rainbow ink numbered per stroke.
constexpr int kRainbowByStroke = 0x08000001;

// Boxes at least this large (1 MiB of picture) are written with streaming stores:
// they hardly fit the caches, so writing past them saves reading the old picture in.
constexpr long long kStreamPixels = 512LL * 512LL;

}  // namespace

TPenImage::TPenImage(TSurfaceHost& host) : host_(host) {
  is256 = host_.DisplayBitsPerPixel() < 9;
  BitmapSet(0, 0);
}

void TPenImage::BitmapSet(int x, int y) {
  sw = std::max(x, 0);
  sh = std::max(y, 0);
  // Every capture sets the size again; an unchanged size keeps the layers as they are.
  if (ABitmap.width() == 2 * sw + 2 && ABitmap.height() == 2 * sh + 2 && Bitmap.width() == sw &&
      Bitmap.height() == sh) {
    return;
  }
  try {
    Bitmap.resize(sw, sh);
    PBitmap.resize(sw, sh);
    FBBitmap.resize(sw, sh);
    ABitmap.resize(2 * sw + 2, 2 * sh + 2);
  } catch (...) {
    // Layers of different sizes would send the composition outside some of them: without
    // memory for the new size there is no picture at all.
    sw = 0;
    sh = 0;
    Bitmap.reset(0, 0);
    PBitmap.reset(0, 0);
    FBBitmap.reset(0, 0);
    ABitmap.reset(0, 0);
    RebuildRowTables();
    throw;
  }
  RebuildRowTables();
}

void TPenImage::RebuildRowTables() {
  const auto rows = [](auto& layer, auto& table) {
    table.resize(static_cast<std::size_t>(layer.height()));
    for (int y = 0; y < layer.height(); ++y)
      table[static_cast<std::size_t>(y)] = layer.row(y).data();
  };
  rows(PBitmap, b1);
  rows(ABitmap, b2);
  rows(FBBitmap, b3);
  rows(Bitmap, b4);
}

void TPenImage::BitmapInit() {
  MouseF = 0;
  px = 0;
  py = 0;
  bai = 1.0;
  ResetZooms();
  BitmapErase(true);
}

void TPenImage::BitmapLoad(const lumidraw::gfx::Bitmap32& PICT, bool e) {
  BitmapSet(PICT.width(), PICT.height());
  // The layer now has PICT's size, so PICT covers all of it.
  lumidraw::gfx::copy(FBBitmap, Point{0, 0}, PICT);
  if (e) BitmapInit();
}

void TPenImage::WBrdLoad(int w, int h, const TWhiteBoardLook& look) {
  BitmapSet(w, h);
  WhiteBoardPaint(FBBitmap, w, h, look);
  BitmapInit();
}

void TPenImage::BitmapErase(bool isInit) {
  ClearInk();
  if (PenColor == kRainbowByStroke) StrokeCounter = 0;
  if (!isInit && PenList != nullptr) {
    PenList->Clear();
    lumidraw::strokes::UndoPush(*PenList);
  }
}

void TPenImage::ClearInk() {
  ABitmap.fill(0);
  PBitmap.fill(lumidraw::surface::kNoInk);
  lumidraw::gfx::copy(Bitmap, Point{0, 0}, FBBitmap);
}

ComposeBox TPenImage::ComposeRect(bool fromSegment) {
  int minX = 0;
  int minY = 0;
  int maxX = 0;
  int maxY = 0;
  if (fromSegment) {
    minX = std::min(xy0.x, xy1.x);
    maxX = std::max(xy0.x, xy1.x);
    minY = std::min(xy0.y, xy1.y);
    maxY = std::max(xy0.y, xy1.y);
  } else {
    if (xy.empty()) return {};
    const auto [left, right] =
        std::minmax_element(xy.begin(), xy.end(), [](Point a, Point b) { return a.x < b.x; });
    const auto [top, bottom] =
        std::minmax_element(xy.begin(), xy.end(), [](Point a, Point b) { return a.y < b.y; });
    minX = left->x;
    maxX = right->x;
    minY = top->y;
    maxY = bottom->y;
  }
  const int width = Bitmap.width();
  const int height = Bitmap.height();
  const ComposeBox box = lumidraw::surface::clamp_compose_box(
      minX, minY, maxX, maxY, lumidraw::surface::compose_margin(PenWidth), width, height);
  const auto area = lumidraw::surface::compose_area(box, width, height);
  const bool stream = static_cast<long long>(area.width()) * area.height() >= kStreamPixels;
  lumidraw::surface::compose_pixels({b1.data(), b2.data(), b3.data(), b4.data()}, area,
                                    {is256, kernel_, stream});
  return box;
}

void TPenImage::ComposeAll() {
  xy0 = Point{0, 0};
  xy1 = Point{sw, sh};
  ComposeRect(true);
}
