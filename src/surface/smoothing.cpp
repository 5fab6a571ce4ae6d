#include "surface/smoothing.h"

#include <cstddef>
#include <cstdint>

namespace lumidraw::surface {

bool smoothing_points(std::span<const gfx::Point> points, int step, std::vector<gfx::Point>& out) {
  out.clear();
  const int count = static_cast<int>(points.size());
  const auto at = [&](int i) { return points[static_cast<std::size_t>(i)]; };
  bool curved = false;
  if (step > 0) {
    // In 64 bits: a step from a settings file may be anything up to INT_MAX.
    const std::int64_t pieces = (std::int64_t{count} - 2) / (3 * std::int64_t{step});
    const int n = pieces > count ? count + 4 : static_cast<int>(pieces * 3 + 4);
    if (n > 5) {
      curved = true;
      for (int i = 0; i < count / step && static_cast<int>(out.size()) < n; ++i) {
        out.push_back(at(i * step));
      }
      while (static_cast<int>(out.size()) < n) out.push_back(points.back());
      // Each inner joint on the line between its two control points: no corners.
      for (int i = 1; i < n / 3; ++i) {
        auto& joint = out[static_cast<std::size_t>(3 * i)];
        const auto before = out[static_cast<std::size_t>(3 * i - 1)];
        const auto after = out[static_cast<std::size_t>(3 * i + 1)];
        joint = {static_cast<int>((std::int64_t{before.x} + after.x) >> 1),
                 static_cast<int>((std::int64_t{before.y} + after.y) >> 1)};
      }
    }
  } else if (step == 0 && count > 5) {
    curved = true;
    out = {at(0), at(count / 3), at(count * 2 / 3), at(count - 1)};
  }
  if (!curved) out.assign(points.begin(), points.end());
  return curved;
}

}  // namespace lumidraw::surface
