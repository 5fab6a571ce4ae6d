// Pixel buffers of the raster layer.
//
// Every buffer is a plain top-down array of rows with no padding: row(y) is the
// y-th line from the top, `width()` pixels long. Row access is rebuilt by every
// resize, so a span taken before a resize must not be used after it.
//
// Bounds: row(y) returns an empty span for y outside 0..height()-1, pixel() reads
// 0 outside the buffer and set_pixel() ignores positions outside it, so no call
// ever touches memory outside the buffer.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "gfx/geometry.h"

namespace lumidraw::gfx {

// A 32-bit pixel as a little-endian word 0x00RRGGBB: bytes in memory are blue,
// green, red, pad.
using Pixel32 = std::uint32_t;

// A colour in the platform order 0x00BBGGRR (the form kept in settings and
// strokes). Only bits 0-23 carry colour.
using ColorRef = std::uint32_t;

// 0x00BBGGRR -> 0x00RRGGBB (the pad byte becomes 0).
constexpr Pixel32 to_pixel(ColorRef c) {
  return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

// 0x00RRGGBB -> 0x00BBGGRR (the pad byte is dropped).
constexpr ColorRef to_color(Pixel32 p) {
  return ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
}

template <typename T>
class PixelBuffer {
 public:
  using value_type = T;

  PixelBuffer() = default;
  // Negative sizes count as 0. Every pixel starts as `fill`.
  PixelBuffer(int width, int height, T fill = T{}) { reset(width, height, fill); }

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return width_ == 0 || height_ == 0; }
  Rect bounds() const { return {0, 0, width_, height_}; }

  // Row y (0 = top), `width()` pixels; empty when y is outside the buffer.
  std::span<T> row(int y) {
    if (y < 0 || y >= height_) return {};
    return {pixels_.data() + static_cast<std::size_t>(y) * width_,
            static_cast<std::size_t>(width_)};
  }
  std::span<const T> row(int y) const {
    if (y < 0 || y >= height_) return {};
    return {pixels_.data() + static_cast<std::size_t>(y) * width_,
            static_cast<std::size_t>(width_)};
  }

  // All pixels, row after row.
  std::span<T> pixels() { return pixels_; }
  std::span<const T> pixels() const { return pixels_; }

  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  // T{} outside the buffer.
  T pixel(int x, int y) const {
    return contains(x, y) ? pixels_[static_cast<std::size_t>(y) * width_ + x] : T{};
  }
  // Ignored outside the buffer.
  void set_pixel(int x, int y, T v) {
    if (contains(x, y)) pixels_[static_cast<std::size_t>(y) * width_ + x] = v;
  }

  void fill(T v) { std::fill(pixels_.begin(), pixels_.end(), v); }

  // Sets every pixel of r (right and bottom edges excluded) to v; r is clipped to
  // the buffer.
  void fill_rect(Rect r, T v) {
    r = intersect(r, bounds());
    for (int y = r.top; y < r.bottom; ++y) {
      auto line = row(y);
      std::fill(line.begin() + r.left, line.begin() + r.right, v);
    }
  }

  // Changes the size. The area the old and new sizes share keeps its pixels (top-left
  // anchored); pixels that are new become `fill`. Negative sizes count as 0.
  void resize(int width, int height, T fill = T{}) {
    PixelBuffer next(width, height, fill);
    const int w = std::min(width_, next.width_);
    const int h = std::min(height_, next.height_);
    for (int y = 0; y < h; ++y) std::copy_n(row(y).begin(), w, next.row(y).begin());
    *this = std::move(next);
  }

  // Changes the size and sets every pixel to `fill`.
  void reset(int width, int height, T fill = T{}) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    if (width_ == 0 || height_ == 0) width_ = height_ = 0;
    pixels_.assign(static_cast<std::size_t>(width_) * height_, fill);
  }

  friend bool operator==(const PixelBuffer&, const PixelBuffer&) = default;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<T> pixels_;
};

// 32 bits per pixel, 0x00RRGGBB words (see Pixel32).
using Bitmap32 = PixelBuffer<Pixel32>;

// 256 entries, each a Pixel32.
using Palette = std::array<Pixel32, 256>;

// Entry i is the grey (i, i, i): a palette index is then a level 0-255.
Palette grey_palette();

// 8 bits per pixel, each a palette index. The palette only says what an index
// looks like; pixel operations work on the indexes.
class Bitmap8 : public PixelBuffer<std::uint8_t> {
 public:
  using PixelBuffer::PixelBuffer;

  const Palette& palette() const { return palette_; }
  void set_palette(const Palette& p) { palette_ = p; }
  // Index of the entry nearest to `c` (sum of squared channel differences; the
  // lowest index on ties).
  std::uint8_t nearest_index(ColorRef c) const;

  friend bool operator==(const Bitmap8&, const Bitmap8&) = default;

 private:
  Palette palette_ = grey_palette();
};

// A two-level mask, one byte per pixel: 0 (black, "clear") or 1 (white, "set").
// Drawing keeps the values to 0 and 1 (see Canvas); a stretched copy keeps them too.
class MaskBitmap : public PixelBuffer<std::uint8_t> {
 public:
  using PixelBuffer::PixelBuffer;
  friend bool operator==(const MaskBitmap&, const MaskBitmap&) = default;
};

}  // namespace lumidraw::gfx
