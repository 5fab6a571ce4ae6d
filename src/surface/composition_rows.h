// Internal to the composition: one picture row with its coverage rows, the per-pixel
// rule used for row heads and tails, and the vector row kernels built in their own
// files (so that each can be compiled for its instruction set).
//
// The helpers have internal linkage: the same inline helper compiled for AVX2 in
// one file must never replace the plain one in another.
#pragma once

#include <cstdint>

#include "gfx/bitmap.h"
#include "surface/composition.h"

namespace lumidraw::surface {

// One picture row and the three coverage rows around it (2y, 2y + 1, 2y + 2).
struct RowSpans {
  const gfx::Pixel32* ink;
  const std::uint8_t* c0;
  const std::uint8_t* c1;
  const std::uint8_t* c2;
  const gfx::Pixel32* background;
  gfx::Pixel32* out;
};

// Composes columns x0 .. x1 - 1 of one row.
using RowFunction = void (*)(const RowSpans&, int x0, int x1);

// The AVX2 row kernel for these options, or nullptr when this build has none.
// ASSUMPTION: the processor supports AVX2 when the result is called, and rows are at
// least 16 pixels long.
RowFunction avx2_row_function(bool is256, bool stream);

namespace {

constexpr gfx::Pixel32 kColorBits = 0x00FFFFFF;

// All ones when p carries no ink, else 0: selects without a branch.
inline gfx::Pixel32 no_ink_mask(gfx::Pixel32 p) {
  return 0u - static_cast<gfx::Pixel32>((p & kColorBits) == kNoInk);
}

inline unsigned coverage_at(const RowSpans& r, int x) {
  const int k = 2 * x;
  const unsigned top = r.c0[k] + 2u * r.c0[k + 1] + r.c0[k + 2];
  const unsigned middle = r.c1[k] + 2u * r.c1[k + 1] + r.c1[k + 2];
  const unsigned bottom = r.c2[k] + 2u * r.c2[k + 1] + r.c2[k + 2];
  return (top + 2u * middle + bottom) >> 4;
}

// Two channels per multiply: each 16-bit lane of P_c * a + B_c * (255 - a) stays
// below 65536, so the lanes never carry into each other.
inline gfx::Pixel32 blended_pixel(const RowSpans& r, int x) {
  const gfx::Pixel32 p = r.ink[x];
  const gfx::Pixel32 b = r.background[x];
  const gfx::Pixel32 a = coverage_at(r, x);
  const gfx::Pixel32 ia = 255u - a;
  const gfx::Pixel32 red_blue =
      (((p & 0x00FF00FFu) * a + (b & 0x00FF00FFu) * ia) >> 8) & 0x00FF00FFu;
  const gfx::Pixel32 pad_green =
      (((p >> 8) & 0x00FF00FFu) * a + ((b >> 8) & 0x00FF00FFu) * ia) & 0xFF00FF00u;
  const gfx::Pixel32 keep = no_ink_mask(p);
  return (b & keep) | ((red_blue | pad_green) & ~keep);
}

inline gfx::Pixel32 copied_pixel(const RowSpans& r, int x) {
  const gfx::Pixel32 keep = no_ink_mask(r.ink[x]);
  return (r.background[x] & keep) | (r.ink[x] & ~keep);
}

// Pixels done singly from x until out + x has the given alignment (or x1 is reached);
// returns the first column not done.
template <std::uintptr_t kAlignment, typename Single>
inline int align_head(const RowSpans& r, int x, int x1, Single single) {
  while (x < x1 && (reinterpret_cast<std::uintptr_t>(r.out + x) & (kAlignment - 1)) != 0) {
    r.out[x] = single(r, x);
    ++x;
  }
  return x;
}

}  // namespace
}  // namespace lumidraw::surface
