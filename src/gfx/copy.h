// Copies between pixel buffers of the same kind: at an offset, and stretched by
// nearest neighbour.
//
// Both copy raw pixel values; an 8-bit copy copies palette indexes and leaves the
// destination's palette alone. Source and destination may be the same buffer: the
// result is then as if the source had been copied aside first.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "gfx/bitmap.h"
#include "gfx/geometry.h"

namespace lumidraw::gfx {

// Copies the pixels of `from` (a rectangle of src) so that from's top-left lands at
// `at` in dst. Clipped to both buffers: source pixels outside src and destination
// pixels outside dst are skipped; nothing else changes.
//
//   src        from = {1,0,3,2}      dst after copy(dst, {2,1}, src, from)
//   a b c      . b c                 . . . .
//   d e f      . e f                 . . b c
//                                    . . e f
template <typename T>
void copy(PixelBuffer<T>& dst, Point at, const PixelBuffer<T>& src, Rect from) {
  if (&dst == &src) {  // within one buffer: read everything before writing
    const PixelBuffer<T> source = src;
    return copy(dst, at, source, from);
  }
  // Clip the source, moving the target with it.
  const Rect clipped = intersect(from, src.bounds());
  at.x += clipped.left - from.left;
  at.y += clipped.top - from.top;
  const Rect target =
      intersect(Rect{at.x, at.y, at.x + clipped.width(), at.y + clipped.height()}, dst.bounds());
  if (target.empty()) return;
  const int sx = clipped.left + (target.left - at.x);
  const int sy = clipped.top + (target.top - at.y);
  for (int y = target.top; y < target.bottom; ++y) {
    const auto in = src.row(sy + (y - target.top));
    std::copy_n(in.begin() + sx, target.width(), dst.row(y).begin() + target.left);
  }
}

// The whole of src with its top-left at `at`.
template <typename T>
void copy(PixelBuffer<T>& dst, Point at, const PixelBuffer<T>& src) {
  copy(dst, at, src, src.bounds());
}

// Stretched copy of rectangle `from` of src onto rectangle `to` of dst, nearest
// neighbour with no blending (each destination pixel is one source pixel; rows and
// columns are dropped when shrinking and repeated when enlarging).
//
// Destination pixel (x, y) of `to` takes the source pixel under its centre:
//   sx = from.left + floor((2 (x - to.left) + 1) * from.width()  / (2 to.width()))
//   sy = from.top  + floor((2 (y - to.top)  + 1) * from.height() / (2 to.height()))
// so an enlargement by a whole factor k repeats every source pixel k times.
//
// Clipping: only destination pixels inside both `to` and dst are written, and only
// when their source pixel lies inside src; the mapping itself always uses the
// unclipped rectangles. Nothing is drawn when `to` or `from` is empty (no mirroring
// by reversed rectangles).
template <typename T>
void stretch_copy(PixelBuffer<T>& dst, Rect to, const PixelBuffer<T>& src, Rect from) {
  if (&dst == &src) {  // within one buffer: read everything before writing
    const PixelBuffer<T> source = src;
    return stretch_copy(dst, to, source, from);
  }
  if (to.empty() || from.empty()) return;
  const Rect target = intersect(to, dst.bounds());
  if (target.empty()) return;
  const auto map = [](int i, int dst_len, int src_len) {
    return static_cast<int>((2 * static_cast<std::int64_t>(i) + 1) * src_len /
                            (2 * static_cast<std::int64_t>(dst_len)));
  };
  // Source column of every target column; -1 where it falls outside src.
  std::vector<int> columns(static_cast<std::size_t>(target.width()));
  for (int x = target.left; x < target.right; ++x) {
    const int sx = from.left + map(x - to.left, to.width(), from.width());
    columns[static_cast<std::size_t>(x - target.left)] = (sx >= 0 && sx < src.width()) ? sx : -1;
  }
  const bool all_inside = std::none_of(columns.begin(), columns.end(), [](int c) { return c < 0; });
  for (int y = target.top; y < target.bottom; ++y) {
    const auto in = src.row(from.top + map(y - to.top, to.height(), from.height()));
    if (in.empty()) continue;
    T* out = dst.row(y).data() + target.left;
    if (all_inside) {
      for (std::size_t i = 0; i < columns.size(); ++i) out[i] = in[columns[i]];
    } else {
      for (std::size_t i = 0; i < columns.size(); ++i) {
        if (columns[i] >= 0) out[i] = in[columns[i]];
      }
    }
  }
}

}  // namespace lumidraw::gfx
