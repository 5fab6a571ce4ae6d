// The points of shape strokes: the rainbow division of a straight piece, the
// whole-degree angles and points of an arc, and the points of an ellipse. All in
// picture pixels with y growing downward; angles are counted counter-clockwise as
// seen on the screen (y growing upward), in whole degrees.
#pragma once

#include <vector>

#include "gfx/geometry.h"

namespace lumidraw::surface {

// The end points of the sub-segments a rainbow piece from a to b is drawn as: n =
// round(|b - a| / 10) pieces, the i-th ending at (round((b.x i + a.x (n - i)) / n),
// round((b.y i + a.y (n - i)) / n)). A piece shorter than 5 pixels gives none.
//
//   a (0,0), b (25,0):  n = round(2.5) = 2  ->  (12,0) (25,0)   (12.5 to the even 12)
std::vector<gfx::Point> rainbow_division(gfx::Point a, gfx::Point b);

// The direction from c to p in whole degrees, 0 <= result < 360 (0 east, 90 up).
// Straight up is 90; straight down and p = c are 270.
int whole_degrees(gfx::Point c, gfx::Point p);

// The last angle of an arc from `start` to `end` counter-clockwise: end, or end + 360
// when it lies before start, or start + 361 when they are equal (a full circle).
//
//   start 350, end 10  ->  370     start 40, end 40  ->  401
int arc_end(int start, int end);

// The arc's point at k degrees: (c.x + round(cos k * r), c.y - round(sin k * r)).
gfx::Point arc_point(gfx::Point c, int r, int k);

// The radius of an arc about c through p: round(|p - c|).
int arc_radius(gfx::Point c, gfx::Point p);

// The point at k degrees of the ellipse in the box spanned by p0 and p1: with centre
// (cx, cy) = ((p0 + p1) / 2) and signed half-axes (ax, ay) = p0 - centre,
// (round(cos k * ax + cx), round(cy - sin k * ay)). Point 0 is (p0.x, round(cy)).
gfx::Point ellipse_point(gfx::Point p0, gfx::Point p1, int k);

}  // namespace lumidraw::surface
