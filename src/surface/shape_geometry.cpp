#include "surface/shape_geometry.h"

#include <cmath>
#include <numbers>

#include "surface/rounding.h"

namespace lumidraw::surface {

namespace {

// Cosine and sine of whole degrees, exact wherever the value is rational (multiples of
// 30 and 90 degrees for the sine): a point whose coordinate is exactly a half then
// rounds to the even neighbour, as the rule says, instead of wherever the library's
// rounding noise pushes it, and circles stay symmetric.
double cos_degrees(int k) {
  switch (((k % 360) + 360) % 360) {
    case 0:
      return 1.0;
    case 60:
    case 300:
      return 0.5;
    case 90:
    case 270:
      return 0.0;
    case 120:
    case 240:
      return -0.5;
    case 180:
      return -1.0;
    default:
      return std::cos(k * std::numbers::pi / 180.0);
  }
}

double sin_degrees(int k) {
  return cos_degrees(90 - k);
}

}  // namespace

std::vector<gfx::Point> rainbow_division(gfx::Point a, gfx::Point b) {
  const double dx = static_cast<double>(b.x) - a.x;
  const double dy = static_cast<double>(b.y) - a.y;
  const int n = round_half_even(std::hypot(dx, dy) / 10.0);
  std::vector<gfx::Point> ends;
  ends.reserve(static_cast<std::size_t>(n));
  for (int i = 1; i <= n; ++i) {
    // In doubles: a product of two coordinates may leave the int range.
    ends.push_back(
        {round_half_even((static_cast<double>(b.x) * i + static_cast<double>(a.x) * (n - i)) / n),
         round_half_even((static_cast<double>(b.y) * i + static_cast<double>(a.y) * (n - i)) / n)});
  }
  return ends;
}

int whole_degrees(gfx::Point c, gfx::Point p) {
  const double dx = static_cast<double>(p.x) - c.x;
  const double up = static_cast<double>(c.y) - p.y;
  if (dx == 0) return up > 0 ? 90 : 270;
  double degrees = std::atan2(up, dx) * 180.0 / std::numbers::pi;
  if (degrees < 0) degrees += 360.0;
  // Just below 360 rounds to 360, which is 0 again.
  return round_half_even(degrees) % 360;
}

int arc_end(int start, int end) {
  if (end < start) return end + 360;
  if (end == start) return end + 361;
  return end;
}

gfx::Point arc_point(gfx::Point c, int r, int k) {
  // The sums in doubles: a centre far out may leave the int range.
  return {saturate_to_int(c.x + round_half_even_value(cos_degrees(k) * r)),
          saturate_to_int(c.y - round_half_even_value(sin_degrees(k) * r))};
}

int arc_radius(gfx::Point c, gfx::Point p) {
  return round_half_even(
      std::hypot(static_cast<double>(p.x) - c.x, static_cast<double>(p.y) - c.y));
}

gfx::Point ellipse_point(gfx::Point p0, gfx::Point p1, int k) {
  const double cx = (static_cast<double>(p0.x) + p1.x) / 2.0;
  const double cy = (static_cast<double>(p0.y) + p1.y) / 2.0;
  const double ax = p0.x - cx;
  const double ay = p0.y - cy;
  return {round_half_even(cos_degrees(k) * ax + cx), round_half_even(cy - sin_degrees(k) * ay)};
}

}  // namespace lumidraw::surface
