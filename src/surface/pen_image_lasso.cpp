// Lasso selection: the grey path, selecting the strokes inside its bounding
// rectangle, and dragging the floating selection box.
#include <algorithm>

#include "gfx/copy.h"
#include "strokes/pen_list.h"
#include "strokes/undo_history.h"
#include "surface/pen_image.h"
#include "surface/rounding.h"

namespace {

using lumidraw::gfx::Point;
using lumidraw::surface::round_half_even;

constexpr lumidraw::gfx::ColorRef kPathGrey = 0x888888;
constexpr int kClosedHand = 12;

}  // namespace

void TPenImage::SetLassoPathPen() {
  auto& pen = displayCanvas_.pen();
  pen.color = lumidraw::gfx::Color::rgb(kPathGrey);
  pen.width = 1;
  pen.style = lumidraw::gfx::PenStyle::kSolid;
  pen.mode = lumidraw::gfx::PenMode::kCopy;
}

void TPenImage::LassoStart(int X, int Y) {
  // The strokes of an earlier selection go back into the picture.
  if (PenList != nullptr) PenList->SelectNone();
  PenListPlay(false);
  xy0 = {X, Y};
  const Point p = ScreenToPicture(X, Y);
  Rx1 = Rx2 = p.x;
  Ry1 = Ry2 = p.y;
}

void TPenImage::LassoExtend(int X, int Y) {
  xy1 = {X, Y};
  // The path is shown on the display picture only; the next repaint takes it away.
  // Replay and previews share the canvas, so the pen and position are set each time.
  SetLassoPathPen();
  displayCanvas_.move_to(xy0);
  displayCanvas_.line_to(xy1);
  const lumidraw::gfx::Rect changed =
      lumidraw::gfx::intersect({std::min(xy0.x, xy1.x), std::min(xy0.y, xy1.y),
                                std::max(xy0.x, xy1.x) + 1, std::max(xy0.y, xy1.y) + 1},
                               display_.bounds());
  if (!changed.empty()) host_.RectChanged(changed);
  const Point p = ScreenToPicture(X, Y);
  Rx1 = std::min(Rx1, p.x);
  Rx2 = std::max(Rx2, p.x);
  Ry1 = std::min(Ry1, p.y);
  Ry2 = std::max(Ry2, p.y);
  xy0 = xy1;
}

void TPenImage::LassoSelect() {
  if (PenList != nullptr) {
    // One walk: a stroke stays a candidate while every point of it seen so far lies
    // strictly inside the rectangle, and is selected when the next stroke begins or
    // the list ends.
    std::int32_t candidate = -1;
    bool inside = false;
    const std::int32_t count = PenList->GetCount();
    for (std::int32_t i = 0; i < count; ++i) {
      const lumidraw::strokes::TPenE e = PenList->PenE(i);
      if (e.IsStrokeHeader()) {
        if (inside && candidate >= 0) PenList->Select(candidate);
        candidate = i;
        inside = true;
      } else if (!e.IsControl() && inside) {
        inside = Rx1 < e.x && e.x < Rx2 && Ry1 < e.y && e.y < Ry2;
      }
    }
    if (inside && candidate >= 0) PenList->Select(candidate);
    if (!PenList->Selected()) lumidraw::strokes::UndoPush(*PenList);
  }
  ClearInk();
  PenListPlay(false);
}

bool TPenImage::CanLasso() const {
  return MouseF != 4 && !RgnPBox.Visible;
}

lumidraw::gfx::Bitmap32 TPenImage::RgnPBoxPaint() const {
  if (RgnBitmap.empty()) return {};
  lumidraw::gfx::Bitmap32 picture(RgnPBox.Width, RgnPBox.Height);
  lumidraw::gfx::copy(
      picture, {0, 0}, display_,
      {RgnPBox.Left, RgnPBox.Top, RgnPBox.Left + RgnPBox.Width, RgnPBox.Top + RgnPBox.Height});
  // White is transparent: only the black silhouette covers the picture.
  const int w = std::min(picture.width(), RgnBitmap.width());
  const int h = std::min(picture.height(), RgnBitmap.height());
  for (int y = 0; y < h; ++y) {
    const auto mask = RgnBitmap.row(y);
    const auto out = picture.row(y);
    for (int x = 0; x < w; ++x) {
      if (mask[static_cast<std::size_t>(x)] == 0) out[static_cast<std::size_t>(x)] = 0;
    }
  }
  return picture;
}

void TPenImage::RgnPBoxMouseDown(int X, int Y) {
  Rgnf = true;
  Rgn0 = {X, Y};
  Rgn1 = {RgnPBox.Left, RgnPBox.Top};
  host_.SetPointer(kClosedHand);
}

void TPenImage::MoveSelectionBox(int X, int Y) {
  const TClientSize client = host_.ClientSize();
  int left = std::max(RgnPBox.Left + X - Rgn0.x, 0);
  int top = std::max(RgnPBox.Top + Y - Rgn0.y, 0);
  // A box larger than the surface is aligned to its right or bottom edge.
  if (left + RgnPBox.Width > client.width) left = client.width - RgnPBox.Width;
  if (top + RgnPBox.Height > client.height) top = client.height - RgnPBox.Height;
  RgnPBox.Left = left;
  RgnPBox.Top = top;
  host_.SelectionBoxChanged();
}

void TPenImage::RgnPBoxMouseMove(int X, int Y) {
  if (Rgnf) MoveSelectionBox(X, Y);
}

void TPenImage::RgnPBoxMouseUp(int X, int Y) {
  // A release without a press on the box (the press went elsewhere) moves nothing.
  if (!Rgnf) return;
  Rgnf = false;
  MoveSelectionBox(X, Y);
  if (PenList != nullptr) {
    PenList->SelectShift(round_half_even((RgnPBox.Left - Rgn1.x) / bai),
                         round_half_even((RgnPBox.Top - Rgn1.y) / bai));
  }
  // The strokes stay selected, so replay makes the box again at their new place.
  ClearInk();
  PenListPlay(false);
  RestorePointer();
}
