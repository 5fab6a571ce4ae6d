#include "surface/whiteboard.h"

#include <cstdint>

using lumidraw::gfx::Rect;

void WhiteBoardPaint(lumidraw::gfx::Bitmap32& bitmap, int w, int h, const TWhiteBoardLook& look) {
  bitmap.fill_rect(Rect{0, 0, w, h}, lumidraw::gfx::to_pixel(look.BrushColor));
  const auto line = lumidraw::gfx::to_pixel(look.PenColor);
  // 64-bit positions: a huge spacing must not overflow on its way past the edge.
  if (look.HorizontalLine && look.HWidth >= 1) {
    for (std::int64_t y = look.HWidth; y < h; y += look.HWidth) {
      bitmap.fill_rect(Rect{0, static_cast<int>(y), w, static_cast<int>(y) + 1}, line);
    }
  }
  if (look.VerticalLine && look.VWidth >= 1) {
    for (std::int64_t x = look.VWidth; x < w; x += look.VWidth) {
      bitmap.fill_rect(Rect{static_cast<int>(x), 0, static_cast<int>(x) + 1, h}, line);
    }
  }
}
