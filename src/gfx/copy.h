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
  // Clip the source, moving the target with it; in 64 bits, as `at` plus the offsets
  // may leave int.
  const Rect clipped = intersect(from, src.bounds());
  if (clipped.empty()) return;
  const std::int64_t ax = static_cast<std::int64_t>(at.x) + clipped.left - from.left;
  const std::int64_t ay = static_cast<std::int64_t>(at.y) + clipped.top - from.top;
  const Rect bounds = dst.bounds();
  const std::int64_t left = std::max<std::int64_t>(ax, bounds.left);
  const std::int64_t top = std::max<std::int64_t>(ay, bounds.top);
  const std::int64_t right = std::min<std::int64_t>(ax + clipped.width(), bounds.right);
  const std::int64_t bottom = std::min<std::int64_t>(ay + clipped.height(), bounds.bottom);
  if (left >= right || top >= bottom) return;
  const Rect target{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
                    static_cast<int>(bottom)};
  const int sx = static_cast<int>(clipped.left + (left - ax));
  const int sy = static_cast<int>(clipped.top + (top - ay));
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
  // Offset into `from` of position i of `to`: floor((2 i + 1) src_len / (2 dst_len)).
  // Lengths reach 2^32 - 1, so the product is taken in two steps that stay in 64 bits.
  const auto map = [](std::int64_t i, std::int64_t dst_len, std::int64_t src_len) {
    const std::int64_t a = 2 * i + 1, m = 2 * dst_len;
    const std::int64_t high = (a >> 16) * src_len, low = (a & 0xFFFF) * src_len;
    return (high / m << 16) + ((high % m << 16) + low) / m;
  };
  // Source column of every target column; -1 where it falls outside src.
  std::vector<int> columns(static_cast<std::size_t>(target.width()));
  for (int x = target.left; x < target.right; ++x) {
    const std::int64_t sx =
        from.left + map(x - static_cast<std::int64_t>(to.left), to.width64(), from.width64());
    columns[static_cast<std::size_t>(x - target.left)] =
        (sx >= 0 && sx < src.width()) ? static_cast<int>(sx) : -1;
  }
  const bool all_inside = std::none_of(columns.begin(), columns.end(), [](int c) { return c < 0; });
  for (int y = target.top; y < target.bottom; ++y) {
    const std::int64_t sy =
        from.top + map(y - static_cast<std::int64_t>(to.top), to.height64(), from.height64());
    if (sy < 0 || sy >= src.height()) continue;
    const auto in = src.row(static_cast<int>(sy));
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
