// The view: scale and offset, the zoom stack's reset, and painting the display
// picture.
#include <algorithm>
#include <cmath>

#include "gfx/copy.h"
#include "surface/pen_image.h"
#include "surface/rounding.h"

namespace {

using lumidraw::gfx::Rect;
using lumidraw::surface::round_half_even;

constexpr TZoom kNoSavedView{{-10000, -10000}, -1.0};

}  // namespace

void TPenImage::ResetZooms() {
  CrZoom = 0;
  zoom.fill(kNoSavedView);
  zoom0 = bai;
}

lumidraw::gfx::Point TPenImage::ScreenToPicture(int X, int Y) const {
  return {round_half_even((X - px) / bai), round_half_even((Y - py) / bai)};
}

lumidraw::gfx::Point TPenImage::PictureToControl(lumidraw::gfx::Point q) const {
  return {lumidraw::surface::map_edge(q.x, bai, px), lumidraw::surface::map_edge(q.y, bai, py)};
}

void TPenImage::SyncDisplaySize() {
  const TClientSize client = host_.ClientSize();
  if (display_.width() != client.width || display_.height() != client.height) {
    display_.reset(client.width, client.height, lumidraw::gfx::to_pixel(BackColor));
    // A shape outline on the old picture is gone; drawing it again would leave a ghost.
    shapePreview_.reset();
  }
}

void TPenImage::CopyToDisplay(const Rect& to, const Rect& from) {
  // Equal sizes make the stretched copy a plain one, which is much faster.
  if (to.width() == from.width() && to.height() == from.height()) {
    lumidraw::gfx::copy(display_, {to.left, to.top}, Bitmap, from);
  } else {
    lumidraw::gfx::stretch_copy(display_, to, Bitmap, from);
  }
}

void TPenImage::ShowRect(const lumidraw::surface::ComposeBox& box) {
  if (box.empty) return;
  SyncDisplaySize();
  const Rect from = lumidraw::surface::show_source(box);
  const Rect to = lumidraw::surface::map_rect(from, bai, px, py);
  CopyToDisplay(to, from);
  const Rect changed = lumidraw::gfx::intersect(to, display_.bounds());
  if (!changed.empty()) host_.RectChanged(changed);
}

void TPenImage::BitmapDisp() {
  if (isFixed) {
    BitmapDispAll();
  } else {
    BitmapDispCenter();
  }
}

void TPenImage::BitmapDisp2() {
  BitmapDispAll();
}

void TPenImage::BitmapDispAll() {
  host_.ProcessMessages();
  SyncDisplaySize();
  const int width = Bitmap.width();
  const int height = Bitmap.height();
  const int clientWidth = display_.width();
  const int clientHeight = display_.height();
  // A scale that is not a positive number shows no picture at all.
  Rect to{};
  if (bai > 0 && std::isfinite(bai)) {
    if (isFixed) {
      px = lumidraw::surface::fit_offset(px, clientWidth, width, bai);
      py = lumidraw::surface::fit_offset(py, clientHeight, height, bai);
    }
    const auto [left, right] = lumidraw::surface::visible_span(px, clientWidth, width, bai);
    const auto [top, bottom] = lumidraw::surface::visible_span(py, clientHeight, height, bai);
    const Rect from{left, top, right, bottom};
    to = lumidraw::surface::map_rect(from, bai, px, py);
    CopyToDisplay(to, from);
  }
  const auto back = lumidraw::gfx::to_pixel(BackColor);
  if (to.left > 0) display_.fill_rect({0, 0, to.left, clientHeight}, back);
  if (to.top > 0) display_.fill_rect({0, 0, clientWidth, to.top}, back);
  if (to.right < clientWidth) display_.fill_rect({to.right, 0, clientWidth, clientHeight}, back);
  if (to.bottom < clientHeight) display_.fill_rect({0, to.bottom, clientWidth, clientHeight}, back);
  if (!display_.empty()) host_.RectChanged(display_.bounds());
  // The repaint took away any shape outline; drawing it again would leave a ghost.
  shapePreview_.reset();
}

void TPenImage::BitmapDispCenter() {
  if (sw <= 0 || sh <= 0) return;
  const TClientSize client = host_.ClientSize();
  if (client.width <= 0 || client.height <= 0) return;
  bai = std::min(static_cast<double>(client.height) / sh, static_cast<double>(client.width) / sw);
  px = (client.width - round_half_even(sw * bai)) >> 1;
  py = (client.height - round_half_even(sh * bai)) >> 1;
  ResetZooms();
  BitmapDispAll();
}
