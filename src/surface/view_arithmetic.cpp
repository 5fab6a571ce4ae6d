#include "surface/view_arithmetic.h"

#include <algorithm>
#include <cmath>

#include "surface/rounding.h"

namespace lumidraw::surface {

int compose_margin(int penWidth) {
  return (std::max(penWidth, 0) >> 1) + 3;
}

ComposeBox clamp_compose_box(int minX, int minY, int maxX, int maxY, int margin, int width,
                             int height) {
  const auto clamp = [margin](int& lo, int& hi, int size) {
    lo = std::max(lo, margin);
    lo = std::min(lo, size - margin);
    hi = std::min(hi, size - margin);
    hi = std::max(hi, margin);
  };
  ComposeBox box{minX, minY, maxX, maxY, margin, false};
  clamp(box.minX, box.maxX, width);
  clamp(box.minY, box.maxY, height);
  return box;
}

gfx::Rect compose_area(const ComposeBox& box, int width, int height) {
  if (box.empty) return {};
  return gfx::intersect(gfx::Rect{box.minX - box.margin, box.minY - box.margin,
                                  box.maxX + box.margin, box.maxY + box.margin},
                        gfx::Rect{0, 0, width, height});
}

gfx::Rect show_source(const ComposeBox& box) {
  if (box.empty) return {};
  return {(box.minX - box.margin) / 10 * 10, (box.minY - box.margin) / 10 * 10,
          ((box.maxX + box.margin) / 10 + 1) * 10, ((box.maxY + box.margin) / 10 + 1) * 10};
}

int map_edge(int e, double scale, int offset) {
  return saturate_to_int(round_half_even_value(e * scale) + offset);
}

gfx::Rect map_rect(const gfx::Rect& r, double scale, int offsetX, int offsetY) {
  return {map_edge(r.left, scale, offsetX), map_edge(r.top, scale, offsetY),
          map_edge(r.right, scale, offsetX), map_edge(r.bottom, scale, offsetY)};
}

int fit_offset(int offset, int client, int size, double scale) {
  const double extent = size * scale;
  if (client > extent) return round_half_even(client - extent) >> 1;
  if (offset > 0) offset = 0;
  if (client > offset + extent) offset = client - round_half_even(extent);
  return offset;
}

// Worked in doubles, which hold these whole numbers exactly, so that an extreme
// scale saturates instead of overflowing.
std::pair<int, int> visible_span(int offset, int client, int size, double scale) {
  const double first = offset >= 0 ? 0.0 : -std::trunc(offset / (scale * 10)) * 10;
  const double last =
      client >= size * scale + offset
          ? size
          : std::min(static_cast<double>(size), std::trunc(client / (scale * 10) + 2) * 10 + first);
  return {saturate_to_int(first), saturate_to_int(last)};
}

}  // namespace lumidraw::surface
