// A pen as the presets, the current pen and the drawing surface hold it.
#pragma once

#include <cstdint>

namespace lumidraw {

struct TPenType {
  // Colour word: bits 0-23 a colour in 0x00BBGGRR order, plus the ink flags
  // 0x08000000 (rainbow) and 0x10000000 (dotted).
  std::uint32_t PenColor = 0;
  // Width in pixels.
  int PenWidth = 0;
  // 1 = opaque pen, 0 = highlighter (drawn with the MarkerPenAlpha coverage).
  std::uint8_t PenAlpha = 0;

  friend bool operator==(const TPenType&, const TPenType&) = default;
};

}  // namespace lumidraw
