// The pen pressure simulated from the pointer's speed, and widths scaled by pressure.
// Full pressure is 1024.
#pragma once

#include <cstdint>

#include "surface/rounding.h"

namespace lumidraw::surface {

// The pressure after a move of `distance` control pixels, from `last`: moves under 10
// pixels aim at full pressure, faster ones at less (below 0 beyond about 16.2 pixels);
// the value steps 50 toward the midpoint of aim and `last`. Nothing bounds it.
inline int next_pressure(int last, double distance) {
  const int target =
      distance < 10 ? 1024 : round_half_even((1 - (distance - 10) / 5) * (1024 - 200) + 200);
  const int mid = round_half_even((static_cast<double>(target) + last) / 2);
  return mid > last ? last + 50 : last - 50;
}

// round(p * w / 1024) when pressure counts, else w.
inline int pressure_width(int p, int w, bool pressure) {
  if (!pressure) return w;
  return round_half_even(static_cast<double>(static_cast<std::int64_t>(p) * w) / 1024);
}

}  // namespace lumidraw::surface
