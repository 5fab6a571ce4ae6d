// Replay of the stroke list, the selection box of selected strokes, and the eraser.
#include <algorithm>

#include "gfx/copy.h"
#include "settings/settings_catalogue.h"
#include "strokes/pen_list.h"
#include "surface/pen_image.h"
#include "surface/rounding.h"
#include "surface/stroke_counter.h"

namespace {

using lumidraw::gfx::Point;
using lumidraw::strokes::TPenE;
using lumidraw::surface::round_half_even;

constexpr int kRainbowByStroke = 0x08000001;
constexpr std::uint8_t kPenStroke = 2;
constexpr std::uint8_t kEraserStroke = 3;

// What the next point entry of the list means.
enum class Replay { kNone, kFirst, kFurther, kSelectedFirst, kSelectedFurther };

}  // namespace

void TPenImage::DEraseSet() {
  Pentype = 0;
  PenAlpha = 0;
  PenWidth = lumidraw::settings::EraseDefault == 1   ? 12
             : lumidraw::settings::EraseDefault == 2 ? 24
                                                     : 36;
}

void TPenImage::PenListPlay(bool b) {
  const int savedPentype = Pentype;
  const std::uint8_t savedMMode = MMode;
  const int savedColor = PenColor;
  const int savedWidth = PenWidth;
  const int savedAlpha = PenAlpha;
  const std::uint8_t savedMouseF = MouseF;

  // The silhouette of selected strokes: white, with the strokes in black. Made when the
  // first selected point turns up.
  lumidraw::gfx::MaskBitmap mask;
  lumidraw::gfx::Canvas maskCanvas(mask);
  maskCanvas.pen().color = lumidraw::gfx::Color::index(0);
  int boxLeft = sw;
  int boxTop = sh;
  int boxRight = 0;
  int boxBottom = 0;
  const auto widen = [&](const TPenE& e) {
    boxLeft = std::min(boxLeft, e.x);
    boxTop = std::min(boxTop, e.y);
    boxRight = std::max(boxRight, e.x);
    boxBottom = std::max(boxBottom, e.y);
  };

  Replay state = Replay::kNone;
  StrokeCounter = 0;
  const int count = PenList != nullptr ? PenList->GetCount() : 0;
  for (int i = 0; i < count; ++i) {
    const TPenE e = PenList->PenE(i);
    if (e.IsControl()) {
      if (e.x == lumidraw::strokes::StrokeEnd) {
        if (MouseF == kPenStroke && Pentype == 1) DrawSmoothed();
        MouseF = 0;
        state = Replay::kNone;
      } else if (e.IsStrokeHeader()) {
        Pentype = e.t();
        MMode = e.m() & lumidraw::strokes::ModeMask;
        if ((e.m() & lumidraw::strokes::SelectedBit) != 0) {
          state = Replay::kSelectedFirst;
          maskCanvas.pen().width = e.w();
        } else {
          state = Replay::kFirst;
          PenColor = e.c();
          PenWidth = e.w();
          PenAlpha = e.a();
        }
      } else {
        state = Replay::kNone;
      }
      continue;
    }
    const Point p{e.x, e.y};
    switch (state) {
      case Replay::kFirst:
        MouseF = MMode;
        if (MMode == kPenStroke && PenColor == kRainbowByStroke) {
          StrokeCounter = (StrokeCounter + 1) % 994;
        }
        xy0 = xy1 = p;
        xy.clear();
        xy.push_back(p);
        // The pen's dot, as drawn at its pen-down; the eraser drew none there.
        if (!(MouseF == kPenStroke && Pentype == 1) && MouseF != kEraserStroke) DrawSegment(e.p);
        state = Replay::kFurther;
        break;
      case Replay::kFurther:
        xy1 = p;
        xy.push_back(p);
        if (!(MouseF == kPenStroke && Pentype == 1)) DrawSegment(e.p);
        xy0 = xy1;
        break;
      case Replay::kSelectedFirst:
        if (mask.empty()) mask.reset(sw, sh, 1);
        widen(e);
        maskCanvas.move_to(p);
        state = Replay::kSelectedFurther;
        break;
      case Replay::kSelectedFurther:
        widen(e);
        maskCanvas.line_to(p);
        break;
      case Replay::kNone:
        break;
    }
  }
  if (count > 1) ComposeAll();

  Pentype = savedPentype;
  MMode = savedMMode;
  PenColor = savedColor;
  PenWidth = savedWidth;
  PenAlpha = savedAlpha;
  if (b) {
    BitmapDisp();
  } else {
    BitmapDisp2();
  }

  if (boxLeft != sw || boxTop != sh || boxRight != 0 || boxBottom != 0) {
    boxLeft = std::clamp(boxLeft - 5, 0, sw);
    boxTop = std::clamp(boxTop - 5, 0, sh);
    boxRight = std::clamp(boxRight + 5, 0, sw);
    boxBottom = std::clamp(boxBottom + 5, 0, sh);
    const int w = round_half_even((boxRight - boxLeft) * bai);
    const int h = round_half_even((boxBottom - boxTop) * bai);
    RgnBitmap.reset(w, h, 1);
    lumidraw::gfx::stretch_copy(RgnBitmap, {0, 0, w, h}, mask,
                                {boxLeft, boxTop, boxRight, boxBottom});
    Rgnf = false;
    const Point at = PictureToControl({boxLeft, boxTop});
    RgnPBox = {true, at.x, at.y, w, h};
    host_.SelectionBoxChanged();
  } else if (RgnPBox.Visible) {
    RgnBitmap = {};
    RgnPBox.Visible = false;
    host_.SelectionBoxChanged();
  }
  MouseF = savedMouseF;
  MMode = savedMMode;
}
