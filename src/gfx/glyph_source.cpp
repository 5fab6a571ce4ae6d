#include "gfx/glyph_source.h"

#include <algorithm>

namespace lumidraw::gfx {
namespace {

int cell_width(int pixel_height) {
  return std::max(1, pixel_height / 2);
}

}  // namespace

Size BlockGlyphSource::extent(std::string_view text, int pixel_height) const {
  const int h = std::max(pixel_height, 0);
  if (h == 0 || text.empty()) return {0, h};
  return {cell_width(h) * static_cast<int>(text.size()), h};
}

MaskBitmap BlockGlyphSource::render(std::string_view text, int pixel_height) const {
  const Size size = extent(text, pixel_height);
  MaskBitmap mask(size.width, size.height);
  const int w = cell_width(size.height);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ' ') continue;
    const int left = static_cast<int>(i) * w;
    mask.fill_rect({left, size.height / 5, left + w - 1, size.height}, 1);
  }
  return mask;
}

}  // namespace lumidraw::gfx
