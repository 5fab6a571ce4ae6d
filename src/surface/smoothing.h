// Control points of a smoothed stroke.
#pragma once

#include <span>
#include <vector>

#include "gfx/geometry.h"

namespace lumidraw::surface {

// The points to draw for the stroke `points` at sampling step `step`; true when they
// are a chain of cubic Bezier pieces (start, then three points per piece), false when
// they are the stroke's own points, to be drawn as a polyline.
//   step >= 1: every step-th point, padded with the last point to 3k + 4 points;
//              curved from 3 * step + 2 points on. Each piece's end is then moved to
//              the midpoint of its neighbours so that the pieces join smoothly.
//   step 0:    one piece through the first, the 1/3, the 2/3 and the last point;
//              curved from 6 points on.
// `out` is reused.
bool smoothing_points(std::span<const gfx::Point> points, int step, std::vector<gfx::Point>& out);

}  // namespace lumidraw::surface
