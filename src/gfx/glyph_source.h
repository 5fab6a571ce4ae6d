// Text for the canvas comes from a glyph source, so the raster layer holds no font
// code: the windows supply one backed by the platform's fonts, tests and headless
// runs a fixed one (BlockGlyphSource).
#pragma once

#include <cstdint>
#include <string_view>

#include "gfx/bitmap.h"
#include "gfx/geometry.h"

namespace lumidraw::gfx {

// The largest glyph mask a source renders, so an absurd font height or text length
// cannot ask for gigabytes.
inline constexpr std::int64_t kMaxGlyphMaskPixels = std::int64_t{1} << 28;

class GlyphSource {
 public:
  virtual ~GlyphSource() = default;
  // The size of the text's box at a font of `pixel_height` (the cell height, as a
  // font's height in pixels).
  virtual Size extent(std::string_view text, int pixel_height) const = 0;
  // The text's box (same size as extent()) with 1 where ink lies and 0 elsewhere,
  // without anti-aliasing; empty when the box holds more than kMaxGlyphMaskPixels.
  virtual MaskBitmap render(std::string_view text, int pixel_height) const = 0;
};

// A fixed, font-free glyph source: every character is a cell max(1, h / 2) wide and
// h high; a space is blank, any other character a solid block leaving the cell's last
// column and first h / 5 rows blank (so neighbouring characters stay apart).
//
//   "ab" at h = 5 (cells 2 wide, top row blank):
//   . . . .
//   # . # .
//   # . # .
//   # . # .
//   # . # .
class BlockGlyphSource final : public GlyphSource {
 public:
  Size extent(std::string_view text, int pixel_height) const override;
  MaskBitmap render(std::string_view text, int pixel_height) const override;
};

}  // namespace lumidraw::gfx
