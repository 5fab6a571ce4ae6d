// Shape strokes: exclusive-or previews while the button is held, and the finished
// line, rectangle, arc or ellipse drawn into the layers and the stroke list.
#include <algorithm>

#include "strokes/pen_list.h"
#include "surface/pen_image.h"
#include "surface/rounding.h"
#include "surface/shape_geometry.h"

namespace {

using lumidraw::gfx::Point;
using lumidraw::gfx::Rect;
using lumidraw::strokes::FullPressure;
using lumidraw::strokes::StrokeEnd;
using lumidraw::surface::round_half_even;

constexpr std::uint8_t kLine = 8;
constexpr std::uint8_t kRectangle = 9;
constexpr std::uint8_t kArcRadius = 10;
constexpr std::uint8_t kArcSweep = 11;
constexpr std::uint8_t kEllipse = 12;

constexpr lumidraw::gfx::ColorRef kPreviewGrey = 0x888888;
// Radius of the small circle marking the radius point of an arc.
constexpr int kRadiusMark = 5;
// Rainbow ink by segment, after masking the colour word with kRainbowMask.
constexpr int kRainbowMask = 0x08FFFFFF;
constexpr int kRainbowBySegment = 0x08000000;

Rect Spanned(Point a, Point b) {
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

Rect CircleBox(Point c, int r) {
  return {c.x - r, c.y - r, c.x + r, c.y + r};
}

Rect Union(const Rect& a, const Rect& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

}  // namespace

TPenImage::TShapePreview TPenImage::ShapePreviewNow() const {
  return {MouseF, PictureToControl(xy0), PictureToControl(xy1), PictureToControl(xy2),
          round_half_even(PenWidth * bai)};
}

void TPenImage::DrawShapePreview(const TShapePreview& preview) {
  auto& canvas = displayCanvas_;
  canvas.pen() = lumidraw::gfx::Pen{lumidraw::gfx::Color::rgb(kPreviewGrey),
                                    preview.width,
                                    lumidraw::gfx::PenStyle::kSolid,
                                    {},
                                    lumidraw::gfx::PenMode::kXor};
  canvas.brush().style = lumidraw::gfx::BrushStyle::kClear;
  const Point c = preview.s0;
  const int r = lumidraw::surface::arc_radius(c, preview.s1);
  Rect figure = Spanned(preview.s0, preview.s1);
  switch (preview.kind) {
    case kLine:
      canvas.move_to(preview.s0);
      canvas.line_to(preview.s1);
      break;
    case kRectangle:
      canvas.rectangle(figure);
      break;
    case kArcRadius:
      canvas.ellipse(CircleBox(c, r));
      figure = Union(figure, CircleBox(c, r));
      if (preview.s1.x != c.x && preview.s1.y != c.y) {
        canvas.ellipse(CircleBox(preview.s1, kRadiusMark));
        figure = Union(figure, CircleBox(preview.s1, kRadiusMark));
      }
      break;
    case kArcSweep:
      canvas.arc(CircleBox(c, r), preview.s1, preview.s2);
      figure = CircleBox(c, r);
      break;
    case kEllipse:
      canvas.ellipse(figure);
      break;
    default:
      break;
  }
  canvas.pen().mode = lumidraw::gfx::PenMode::kCopy;
  canvas.brush().style = lumidraw::gfx::BrushStyle::kSolid;
  // Wide pens reach half their width beyond the figure's points.
  const int reach = std::max(preview.width, 1) / 2 + 2;
  const Rect changed = lumidraw::gfx::intersect(
      {figure.left - reach, figure.top - reach, figure.right + reach, figure.bottom + reach},
      display_.bounds());
  if (!changed.empty()) host_.RectChanged(changed);
}

void TPenImage::ShowShapePreview() {
  shapePreview_ = ShapePreviewNow();
  DrawShapePreview(*shapePreview_);
}

void TPenImage::RemoveShapePreview() {
  // The outline exactly as it was drawn, even if the view changed since.
  if (shapePreview_) DrawShapePreview(*shapePreview_);
  shapePreview_.reset();
}

void TPenImage::ShapeStart() {
  // An outline left by a gesture that was dropped is no longer ours to remove.
  shapePreview_.reset();
  // The other shapes show their first outline at the first move.
  if (MouseF == kLine) ShowShapePreview();
}

void TPenImage::ShapeMove(TShiftState Shift, int X, int Y) {
  if (MouseF < kLine || MouseF > kEllipse) return;
  const TShiftState held = Shift | BShift;
  RemoveShapePreview();
  const Point p = ScreenToPicture(X, Y);
  switch (MouseF) {
    case kArcRadius:
      xy1 = p;
      // Letting go of Ctrl or Alt fixes the radius; the pointer then sweeps the arc.
      if ((held & ssCtrl) == 0 || (held & ssAlt) == 0) {
        MouseF = kArcSweep;
        xy2 = xy1;
      }
      break;
    case kArcSweep:
      xy2 = p;
      break;
    case kEllipse:
      xy1 = p;
      if ((held & ssShift) != 0) xy1.x = xy0.x + (xy1.y - xy0.y);
      break;
    default:
      xy1 = p;
      break;
  }
  ShowShapePreview();
}

void TPenImage::ShapeEnd() {
  RemoveShapePreview();
  switch (MouseF) {
    case kLine:
      FinishLine();
      break;
    case kRectangle:
      FinishRectangle();
      break;
    case kArcRadius:
    case kArcSweep:
      FinishArc();
      break;
    case kEllipse:
      FinishEllipse();
      break;
    default:
      break;
  }
}

void TPenImage::DrawShapePiece(Point a, Point b) {
  if ((PenColor & kRainbowMask) != kRainbowBySegment) {
    xy0 = a;
    xy1 = b;
    DrawSegment(FullPressure);
    if (PenList != nullptr) PenList->AddXY(b.x, b.y, FullPressure);
    return;
  }
  // Rainbow ink changes colour every segment, so a long piece is cut into pieces of
  // about 10 pixels to show the rainbow along it.
  Point from = a;
  for (const Point to : lumidraw::surface::rainbow_division(a, b)) {
    xy0 = from;
    xy1 = to;
    DrawSegment(FullPressure);
    if (PenList != nullptr) PenList->AddXY(to.x, to.y, FullPressure);
    from = to;
  }
}

void TPenImage::FinishLine() {
  const Point a = xy0;
  const Point b = xy1;
  DrawShapePiece(a, b);
  if (PenList != nullptr) PenList->AddPenUp(PL_UP);
  xy0 = a;
  xy1 = b;
  ShowRect(ComposeRect(true));
}

void TPenImage::FinishRectangle() {
  const Point A = xy0;
  const Point C = xy1;
  const Point corners[] = {A, {C.x, A.y}, C, {A.x, C.y}, A};
  if (PenList != nullptr) PenList->AddXY(A.x, A.y, FullPressure);
  for (int side = 0; side < 4; ++side) {
    const Point from = corners[side];
    const Point to = corners[side + 1];
    DrawShapePiece(from, to);
    xy0 = from;
    xy1 = to;
    ShowRect(ComposeRect(true));
    if (side < 3 && PenList != nullptr) {
      PenList->AddXY(to.x, to.y, FullPressure);
      PenList->AddXY(to.x, to.y, FullPressure);
    }
  }
  if (PenList != nullptr) {
    PenList->AddXY(A.x, A.y, FullPressure);
    PenList->AddPenUp(StrokeEnd);
  }
}

void TPenImage::FinishArc() {
  const Point c = xy0;
  const int r = lumidraw::surface::arc_radius(c, xy1);
  const int start = lumidraw::surface::whole_degrees(c, xy1);
  const Point t = MouseF == kArcRadius ? xy1 : xy2;
  const int end = lumidraw::surface::arc_end(start, lumidraw::surface::whole_degrees(c, t));
  xy0 = lumidraw::surface::arc_point(c, r, start);
  if (PenList != nullptr) {
    PenList->AddPenDn(xy0.x, xy0.y, FullPressure, PenColor, Pentype, MMode, PenWidth, PenAlpha);
  }
  for (int k = start + 1; k <= end; ++k) {
    xy1 = lumidraw::surface::arc_point(c, r, k);
    DrawSegment(FullPressure);
    ShowRect(ComposeRect(true));
    if (PenList != nullptr) PenList->AddXY(xy1.x, xy1.y, FullPressure);
    xy0 = xy1;
  }
  if (PenList != nullptr) PenList->AddPenUp(StrokeEnd);
}

void TPenImage::FinishEllipse() {
  const Point p0 = xy0;
  const Point p1 = xy1;
  xy0 = lumidraw::surface::ellipse_point(p0, p1, 0);
  if (PenList != nullptr) {
    PenList->AddPenDn(xy0.x, xy0.y, FullPressure, PenColor, Pentype, MMode, PenWidth, PenAlpha);
  }
  for (int k = 1; k <= 360; ++k) {
    xy1 = lumidraw::surface::ellipse_point(p0, p1, k);
    DrawSegment(FullPressure);
    ShowRect(ComposeRect(true));
    if (PenList != nullptr) PenList->AddXY(xy1.x, xy1.y, FullPressure);
    xy0 = xy1;
  }
  if (PenList != nullptr) PenList->AddPenUp(StrokeEnd);
}
