// The integer arithmetic of composing and showing the picture: the box a drawing
// step composes, the 10-pixel blocks copied to the display, and the offsets and
// visible part of the picture at a scale. Pure functions, so every rule is tested
// on its own.
#pragma once

#include <utility>

#include "gfx/geometry.h"

namespace lumidraw::surface {

// The box of one composition step, in picture pixels, after clamping; `margin`
// widens it on every side (the pen's half width plus the filter's reach).
struct ComposeBox {
  int minX = 0;
  int minY = 0;
  int maxX = 0;
  int maxY = 0;
  int margin = 0;
  // Nothing was composed, so nothing needs to be shown.
  bool empty = true;
  friend bool operator==(const ComposeBox&, const ComposeBox&) = default;
};

// margin := penWidth >> 1, plus 3. A negative width (no pen draws one) counts as 0
// rather than as a huge unsigned number.
int compose_margin(int penWidth);

// Clamps the box to [margin, W - margin] per axis in this order: min := max(min,
// margin); min := min(min, W - margin); max := min(max, W - margin); max :=
// max(max, margin). A picture at least 2 * margin wide then keeps the widened box
// inside it; a narrower one does not (see compose_area).
ComposeBox clamp_compose_box(int minX, int minY, int maxX, int maxY, int margin, int width,
                             int height);

// The pixels a composition walks: the widened box (min - margin .. max + margin - 1,
// inclusive) cut to the picture. The cut only matters for pictures narrower or lower
// than twice the margin.
gfx::Rect compose_area(const ComposeBox& box, int width, int height);

// The picture rectangle copied to the display after composing `box`: widened by the
// margin and snapped outward to multiples of 10 (left and top by div, so toward zero;
// right and bottom to the next multiple strictly beyond).
//
//   minX - margin = 23, maxX + margin = 47   ->   left 20, right 50
//   maxX + margin = 40                        ->   right 50
gfx::Rect show_source(const ComposeBox& box);

// A picture edge on the control: round(e * scale) + offset.
int map_edge(int e, double scale, int offset);
// Every edge of r mapped by map_edge (x edges with offsetX, y edges with offsetY).
gfx::Rect map_rect(const gfx::Rect& r, double scale, int offsetX, int offsetY);

// The offset correction of a fixed view along one axis (picture `size` pixels at
// `scale` on a control `client` pixels long): a picture shorter than the control is
// centred; a longer one starts at most at 0 and leaves no gap at the far edge.
int fit_offset(int offset, int client, int size, double scale);

// The part of the picture (first, one past last) that is copied to the control along
// one axis, aligned to 10 picture pixels: from 0 when the offset is not negative, else
// from the first whole block of 10 that is cut off; to the end when the picture ends
// inside the control, else two blocks of 10 beyond what the control shows.
std::pair<int, int> visible_span(int offset, int client, int size, double scale);

}  // namespace lumidraw::surface
