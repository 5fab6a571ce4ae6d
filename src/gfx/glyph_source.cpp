#include "gfx/glyph_source.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace lumidraw::gfx {
namespace {

constexpr std::int64_t kMaxSide = std::numeric_limits<int>::max();

std::int64_t cell_width(int pixel_height) {
  return std::max(1, pixel_height / 2);
}

}  // namespace

// Long texts at large heights would overflow int; the box is cut at INT_MAX across.
Size BlockGlyphSource::extent(std::string_view text, int pixel_height) const {
  const int h = std::max(pixel_height, 0);
  if (h == 0 || text.empty()) return {0, h};
  const auto chars = static_cast<std::int64_t>(std::min<std::size_t>(text.size(), kMaxSide));
  return {static_cast<int>(std::min(cell_width(h) * chars, kMaxSide)), h};
}

MaskBitmap BlockGlyphSource::render(std::string_view text, int pixel_height) const {
  const Size size = extent(text, pixel_height);
  if (static_cast<std::int64_t>(size.width) * size.height > kMaxGlyphMaskPixels) return {};
  MaskBitmap mask(size.width, size.height);
  const std::int64_t w = cell_width(size.height);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::int64_t left = static_cast<std::int64_t>(i) * w;
    if (left >= size.width) break;
    if (text[i] == ' ') continue;
    const std::int64_t right = std::min<std::int64_t>(left + w - 1, size.width);
    mask.fill_rect({static_cast<int>(left), size.height / 5, static_cast<int>(right), size.height},
                   1);
  }
  return mask;
}

}  // namespace lumidraw::gfx
