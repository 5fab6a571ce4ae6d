#pragma once
// The composition rule written out plainly, one pixel at a time, as the reference
// the fast kernels must match exactly.

#include <cstdint>

#include "gfx/bitmap.h"

// Picture pixel (x, y) from ink P, background B and the coverage layer A.
inline lumidraw::gfx::Pixel32 ReferencePixel(lumidraw::gfx::Pixel32 P, lumidraw::gfx::Pixel32 B,
                                             const lumidraw::gfx::Bitmap8& A, int x, int y,
                                             bool is256) {
  const bool noInk = (P & 0xFFFFFF) == 0x7F7F7F;
  if (is256) return noInk ? B : P;
  if (noInk) return B;
  static constexpr int kWeights[3][3] = {{1, 2, 1}, {2, 4, 2}, {1, 2, 1}};
  int S = 0;
  for (int j = 0; j < 3; ++j) {
    for (int i = 0; i < 3; ++i) S += kWeights[j][i] * A.pixel(2 * x + i, 2 * y + j);
  }
  const std::uint32_t a = static_cast<std::uint32_t>(S) >> 4;
  lumidraw::gfx::Pixel32 out = 0;
  // Blue, green, red, and the pad byte by the same rule.
  for (int shift = 0; shift < 32; shift += 8) {
    const std::uint32_t Pc = (P >> shift) & 0xFF;
    const std::uint32_t Bc = (B >> shift) & 0xFF;
    out |= ((Pc * a + Bc * (255 - a)) >> 8) << shift;
  }
  return out;
}
