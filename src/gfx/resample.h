// Resampling of whole 32-bit pictures with the Lanczos-3 filter.
#pragma once

#include "gfx/bitmap.h"

namespace lumidraw::gfx {

// src scaled to width x height (the aspect ratio is not kept), each channel filtered
// separably with the Lanczos-3 kernel L(t) = sinc(t) sinc(t / 3) for |t| < 3:
//   - destination pixel d samples the source at (d + 1/2) * src_size / size - 1/2;
//   - when shrinking, the kernel is widened by the scale so every source pixel counts;
//   - taps beyond the edges repeat the edge pixels;
//   - weights are normalised to sum 1, so a flat picture stays flat and a picture of
//     its own size comes back unchanged;
//   - results are rounded and clamped to 0..255; the pad byte becomes 0.
// An empty source or a size of 0 or less gives an empty picture.
Bitmap32 resample_lanczos3(const Bitmap32& src, int width, int height);

}  // namespace lumidraw::gfx
