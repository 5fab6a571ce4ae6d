// Composition of the shown picture from the background, the ink colour layer and
// the double-resolution coverage layer.
//
// For picture pixel (x, y) with ink P and background B:
//   - P's colour is the no-ink key 0x7F7F7F: the result is B (all four bytes);
//   - one-to-one display (8 bits per pixel or fewer): the result is P;
//   - otherwise the coverage a is the 1 2 1 / 2 4 2 / 1 2 1 weighted sum of the 3 x 3
//     coverage pixels (2x + i, 2y + j), i, j in {0, 1, 2}, shifted right by 4, and
//     every byte of the result is (P_c * a + B_c * (255 - a)) >> 8. The pad byte is
//     blended like the colours so that a whole pixel is one vector operation; nothing
//     reads it.
// Note that full coverage gives (P_c * 255) >> 8, one below P_c for bright channels:
// the blend is exactly this formula, not a rounded one.
#pragma once

#include <cstdint>

#include "gfx/bitmap.h"
#include "gfx/geometry.h"

namespace lumidraw::surface {

// The ink colour that means "no ink here".
inline constexpr gfx::Pixel32 kNoInk = 0x7F7F7F;

// Row tables of the four layers: ink and background and picture have a row per
// picture row, coverage 2 * height + 2 rows of 2 * width + 2 pixels.
struct LayerRows {
  const gfx::Pixel32* const* ink = nullptr;
  const std::uint8_t* const* coverage = nullptr;
  const gfx::Pixel32* const* background = nullptr;
  gfx::Pixel32* const* picture = nullptr;
};

enum class ComposeKernel {
  portable,  // plain C++, any processor
  sse2,      // 128-bit vectors, every x86-64 processor
  avx2,      // 256-bit vectors, x86-64 processors that report AVX2
};

// Whether this build has the kernel and this processor can run it.
bool has_kernel(ComposeKernel kernel);
// The fastest kernel of has_kernel.
ComposeKernel native_kernel();

struct ComposeOptions {
  // One-to-one display: ink is copied, not blended.
  bool is256 = false;
  ComposeKernel kernel = ComposeKernel::portable;
  // Write the picture with non-temporal stores: for large areas that will not be
  // read again soon, it saves reading the old picture into the cache.
  bool stream = false;
};

// Composes the pixels of r. ASSUMPTION: r lies inside the picture (every row and
// column of r exists in ink, background and picture, and the coverage rows and
// columns 2 * r.top .. 2 * r.bottom, 2 * r.left .. 2 * r.right exist). The kernel
// falls back to the portable one when has_kernel says no.
void compose_pixels(const LayerRows& rows, const gfx::Rect& r, const ComposeOptions& options);

}  // namespace lumidraw::surface
