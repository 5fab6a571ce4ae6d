// Zoom about a point with a stack of saved views, and panning.
#include "settings/settings_catalogue.h"
#include "surface/extended_precision.h"
#include "surface/pen_image.h"
#include "surface/rounding.h"

namespace {

using lumidraw::surface::round_half_even;

// Pointers of the move-image mode.
constexpr int kOpenHand = 11;
constexpr int kClosedHand = 12;

// The scale at zoom depth `depth` (1 or more): base times factor^depth, kept to one
// decimal. The power is built by repeated multiplication through doubles and the
// product with the base and 10 is rounded at a 64-bit significand, so a stored 1.15
// (just below 1.15) gives 11.4999... tenths, that is 1.1, not 1.2.
double ZoomScale(double factor, int depth, double base) {
  double power = factor;
  for (int i = 1; i < depth; ++i) power *= factor;
  const auto tenths = (TExtended(power) * TExtended(base) * TExtended(10.0)).RoundHalfEven();
  return static_cast<double>(tenths) / 10.0;
}

}  // namespace

void TPenImage::ExpandL(lumidraw::gfx::Point ps, std::uint8_t ba) {
  const double old = bai;
  if (ba == 1) {
    if (CrZoom > static_cast<int>(zoom.size()) - 1) return;
    bai = ZoomScale(lumidraw::settings::Zoom, CrZoom + 1, zoom0);
    const lumidraw::gfx::Point P = host_.ScreenToControl(ps);
    zoom[static_cast<std::size_t>(CrZoom)] = TZoom{{px, py}, old};
    ++CrZoom;
    // The picture point under P stays under P.
    px = round_half_even(((old - bai) * P.x + bai * px) / old);
    py = round_half_even(((old - bai) * P.y + bai * py) / old);
  } else if (CrZoom > 0) {
    --CrZoom;
    const TZoom& saved = zoom[static_cast<std::size_t>(CrZoom)];
    bai = saved.b;
    px = saved.p.x;
    py = saved.p.y;
  }
}

void TPenImage::Expand(lumidraw::gfx::Point ps, std::uint8_t ba) {
  if (!CanLasso()) return;
  ExpandL(ps, ba);
  BitmapDispAll();
}

void TPenImage::PanStart(int X, int Y) {
  xy0 = {px, py};
  xy1 = {X, Y};
  host_.SetPointer(kClosedHand);
}

void TPenImage::PanMove(int X, int Y) {
  px = X + xy0.x - xy1.x;
  py = Y + xy0.y - xy1.y;
  BitmapDispAll();
}

void TPenImage::PanEnd() {
  host_.SetPointer(kOpenHand);
}
