// Rounding of the surface's arithmetic. "round" is to the nearest integer with
// halves to the even neighbour; "trunc" is std::trunc and "div" C++'s own integer
// `/`, both toward zero.
//
// Conversions to int saturate at the int range and give 0 for NaN, so a degenerate
// scale (a control of size 0, a picture of size 0) never causes an undefined
// conversion.
#pragma once

#include <climits>
#include <cmath>

namespace lumidraw::surface {

constexpr int saturate_to_int(double v) {
  if (!(v == v)) return 0;
  if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(v);
}

// Nearest whole number, halves to the even neighbour: 0.5 -> 0, 1.5 -> 2, -2.5 -> -2.
// Independent of the floating-point rounding mode.
inline double round_half_even_value(double v) {
  const double floor = std::floor(v);
  const double fraction = v - floor;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) return floor + 1.0;
  return floor;
}

inline int round_half_even(double v) {
  return saturate_to_int(round_half_even_value(v));
}

}  // namespace lumidraw::surface
