// Pen input: tool modes, pointers, the gesture state and the button and move
// handlers with the simulated pressure and the right button's temporary eraser.
#include <algorithm>
#include <cmath>

#include "strokes/pen_list.h"
#include "strokes/undo_history.h"
#include "surface/current_pen.h"
#include "surface/pen_cursor.h"
#include "surface/pen_image.h"
#include "surface/pen_pressure.h"
#include "surface/rounding.h"
#include "surface/stroke_counter.h"

namespace {

using lumidraw::gfx::Point;
using lumidraw::strokes::FullPressure;
using lumidraw::surface::round_half_even;

constexpr int kRainbowByStroke = 0x08000001;
// ErasePos.x once the pointer has moved after a right press.
constexpr int kMoved = -100000;

// Gesture states.
constexpr std::uint8_t kPan = 1;
constexpr std::uint8_t kPenStroke = 2;
constexpr std::uint8_t kEraserStroke = 3;
constexpr std::uint8_t kLasso = 4;
constexpr std::uint8_t kLine = 8;
constexpr std::uint8_t kRectangle = 9;
constexpr std::uint8_t kArcRadius = 10;
constexpr std::uint8_t kEllipse = 12;

bool IsShape(std::uint8_t f) {
  return f >= kLine && f <= kEllipse;
}

// Pointer indexes of the overlay's cursor table.
constexpr int kEraserPointer = 10;
constexpr int kOpenHand = 11;
constexpr int kLassoPointer = 13;

}  // namespace

void TPenImage::SetMMode(int m, bool b) {
  if ((MMode == kLasso || m == kLasso) && PenList != nullptr && PenList->Selected()) {
    PenList->SelectNone();
    PenListPlay(false);
    lumidraw::strokes::UndoPush(*PenList);
  }
  if (m >= 1 && m <= 4) MMode = static_cast<std::uint8_t>(m);
  switch (MMode) {
    case kPan:
      modePointer_ = kOpenHand;
      break;
    case kPenStroke:
      modePointer_ = PenCursor();
      break;
    case kEraserStroke:
      DEraseSet();
      modePointer_ = kEraserPointer;
      break;
    case kLasso:
      modePointer_ = kLassoPointer;
      break;
    default:
      modePointer_ = 0;
      break;
  }
  host_.SetPointer(modePointer_);
  if (b) BShift = 0;
  MouseF = 0;
}

int TPenImage::PenCursor() {
  const int index = lumidraw::surface::pen_cursor_index(PenColor, PenAlpha);
  if (index == 2 || index == 6) {
    auto image = host_.PointerImage(index);
    lumidraw::surface::tint_pen_pointer(image, static_cast<lumidraw::gfx::ColorRef>(PenColor));
    host_.SetPointerImage(index, image);
  }
  return index;
}

void TPenImage::RestorePointer() {
  host_.SetPointer(modePointer_);
}

void TPenImage::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnPenDown) OnPenDown({Button, Shift, X, Y});
  if (PBitmap.width() <= 0) return;
  if (Button == TMouseButton::mbLeft) {
    PresPos = {X, Y};
    LastP = FullPressure;
    GestureStart(Shift, X, Y, 0);
  } else if (Button == TMouseButton::mbRight && MouseF == 0) {
    // A right press during another gesture is left alone: switching to the eraser
    // would drop that gesture half-recorded.
    ErasePos = {X, Y};
    isErase = 1;
    if (MMode == kPenStroke || MMode == kEraserStroke) {
      isErase = 3;
      EraseMMode = MMode;
      SetMMode(kEraserStroke, false);
      GestureStart(Shift, X, Y, 0);
    }
  }
}

void TPenImage::MouseMove(TShiftState Shift, int X, int Y) {
  int p = FullPressure;
  if (MouseF == kPenStroke) {
    LastP = lumidraw::surface::next_pressure(LastP, std::hypot(X - PresPos.x, Y - PresPos.y));
    PresPos = {X, Y};
    p = LastP;
  }
  if ((isErase != 0 && X != ErasePos.x) || Y != ErasePos.y) ErasePos.x = kMoved;
  GestureMove(Shift, X, Y, p);
}

void TPenImage::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == TMouseButton::mbLeft) {
    GestureEnd();
  } else if (Button == TMouseButton::mbRight && isErase != 0) {
    if (isErase == 3) {
      GestureEnd();
      if (EraseMMode == kPenStroke) {
        DPenSet(CrPen);
        SetMMode(kPenStroke, false);
      }
    }
    if (ErasePos.x != kMoved) {
      // A right click: from the moving hand back to the pen, or to the hand while zoomed.
      if (MMode == kPan) {
        DPenSet(CrPen);
        SetMMode(kPenStroke, false);
      } else if (CrZoom > 0) {
        SetMMode(kPan, false);
      }
    }
    isErase = 0;
  }
  if (OnPenUp) OnPenUp({Button, Shift, X, Y});
}

void TPenImage::GestureStart(TShiftState Shift, int X, int Y, int pressure) {
  if (MouseF != 0) return;
  MouseF = MMode;
  switch (MMode) {
    case kPan:
      PanStart(X, Y);
      break;
    case kPenStroke: {
      host_.HidePointer();
      const TShiftState held = Shift | BShift;
      if ((held & ssCtrl) != 0) {
        MouseF = (held & ssShift) != 0 ? kRectangle : (held & ssAlt) != 0 ? kArcRadius : kLine;
      } else if ((held & ssAlt) != 0) {
        MouseF = kEllipse;
      }
      if (PenColor == kRainbowByStroke) StrokeCounter = (StrokeCounter + 1) % 994;
      [[fallthrough]];
    }
    case kEraserStroke:
      xy0 = xy1 = ScreenToPicture(X, Y);
      strokeStart_ = xy0;
      if (MouseF == kPenStroke && Pentype == 1) {
        xy.clear();
        xy.push_back(xy0);
        DrawPreviewSegment();
      } else if (IsShape(MouseF)) {
        ShapeStart();
      } else if (MouseF == kPenStroke) {
        DrawSegment(pressure);
        ShowRect(ComposeRect(true));
      }
      // The arc and the ellipse write their stroke when they are complete.
      if (MouseF != kArcRadius && MouseF != kEllipse && PenList != nullptr) {
        PenList->AddPenDn(xy0.x, xy0.y, pressure, PenColor, Pentype, MMode, PenWidth, PenAlpha);
      }
      break;
    case kLasso:
      LassoStart(X, Y);
      break;
    default:
      break;
  }
}

void TPenImage::GestureMove(TShiftState Shift, int X, int Y, int pressure) {
  switch (MouseF) {
    case kPan:
      PanMove(X, Y);
      break;
    case kPenStroke:
    case kEraserStroke:
      xy1 = ScreenToPicture(X, Y);
      if (MouseF == kPenStroke && Pentype == 1) {
        xy.push_back(xy1);
        DrawPreviewSegment();
      } else {
        DrawSegment(pressure);
        ShowRect(ComposeRect(true));
      }
      xy0 = xy1;
      if (PenList != nullptr) PenList->AddXY(xy1.x, xy1.y, pressure);
      break;
    case kLasso:
      LassoExtend(X, Y);
      break;
    default:
      if (IsShape(MouseF)) ShapeMove(Shift, X, Y);
      break;
  }
}

void TPenImage::GestureEnd() {
  switch (MouseF) {
    case kPan:
      PanEnd();
      break;
    case kPenStroke:
    case kEraserStroke:
      if (MouseF == kPenStroke) RestorePointer();
      if (MouseF == kPenStroke && Pentype == 1) {
        DrawSmoothed();
        ShowRect(ComposeRect(false));
      }
      if (PenList != nullptr) PenList->AddPenUp(PL_UP);
      if (MouseF == kPenStroke && PenColor == kRainbowByStroke) {
        // A label leaves its box in xy0 and xy1: keep the stroke's end first.
        const Point end = xy1;
        DrawNumberLabel(strokeStart_, 0xEEEEEE, 0);
        DrawNumberLabel(end, 0, 0xEEEEEE);
      }
      if (PenList != nullptr) lumidraw::strokes::UndoPush(*PenList);
      break;
    case kLasso:
      LassoSelect();
      break;
    default:
      if (IsShape(MouseF)) {
        RestorePointer();
        ShapeEnd();
        if (PenList != nullptr) lumidraw::strokes::UndoPush(*PenList);
      }
      break;
  }
  MouseF = 0;
}

void TPenImage::DrawPreviewSegment() {
  SyncDisplaySize();
  auto& pen = displayCanvas_.pen();
  pen.color = lumidraw::gfx::Color::rgb(0x888888);
  pen.width = round_half_even(PenWidth * bai);
  pen.style = lumidraw::gfx::PenStyle::kSolid;
  pen.mode = lumidraw::gfx::PenMode::kMask;
  const Point a = PictureToControl(xy0);
  const Point b = PictureToControl(xy1);
  displayCanvas_.move_to(a);
  displayCanvas_.line_to(b);
  const int reach = pen.width / 2 + 1;
  const lumidraw::gfx::Rect touched{std::min(a.x, b.x) - reach, std::min(a.y, b.y) - reach,
                                    std::max(a.x, b.x) + reach + 1, std::max(a.y, b.y) + reach + 1};
  const auto changed = lumidraw::gfx::intersect(touched, display_.bounds());
  if (!changed.empty()) host_.RectChanged(changed);
}
