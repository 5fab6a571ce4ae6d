// Construction, sizing and clearing of the layers, and their composition.
#include <algorithm>

#include "gfx/copy.h"
#include "strokes/pen_list.h"
#include "strokes/undo_history.h"
#include "surface/pen_image.h"
#include "surface/stroke_counter.h"

namespace {

using lumidraw::gfx::Pixel32;
using lumidraw::gfx::Point;
using lumidraw::surface::ComposeBox;

// Rainbow ink numbered per stroke.
constexpr int kRainbowByStroke = 0x08000001;

// Boxes at least this large are written with streaming stores: they exceed the
// caches, and a partial repaint never follows them.
constexpr long long kStreamPixels = 512LL * 512LL;

}  // namespace

TPenImage::TPenImage(TSurfaceHost& host) : host_(host) {
  is256 = host_.DisplayBitsPerPixel() < 9;
  BitmapSet(0, 0);
}

void TPenImage::BitmapSet(int x, int y) {
  sw = std::max(x, 0);
  sh = std::max(y, 0);
  Bitmap.resize(sw, sh);
  PBitmap.resize(sw, sh);
  FBBitmap.resize(sw, sh);
  ABitmap.resize(2 * sw + 2, 2 * sh + 2);
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
