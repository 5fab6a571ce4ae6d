#include "gfx/bitmap.h"

namespace lumidraw::gfx {

Palette grey_palette() {
  Palette p{};
  for (std::uint32_t i = 0; i < p.size(); ++i) p[i] = (i << 16) | (i << 8) | i;
  return p;
}

std::uint8_t Bitmap8::nearest_index(ColorRef c) const {
  const Pixel32 want = to_pixel(c);
  const auto channel = [](Pixel32 p, int shift) { return static_cast<int>((p >> shift) & 0xFF); };
  std::size_t best = 0;
  int best_distance = -1;
  for (std::size_t i = 0; i < palette_.size(); ++i) {
    int distance = 0;
    for (const int shift : {0, 8, 16}) {
      const int d = channel(want, shift) - channel(palette_[i], shift);
      distance += d * d;
    }
    if (best_distance < 0 || distance < best_distance) {
      best = i;
      best_distance = distance;
    }
  }
  return static_cast<std::uint8_t>(best);
}

}  // namespace lumidraw::gfx
