// Pixel fixtures written as text: one string per row, '.' for 0, '#' for 1 and the
// letters 'A'.. for 2.. (so a fixture of a few values reads at a glance).
#pragma once

#include <string>
#include <vector>

#include "gfx/bitmap.h"

namespace lumidraw::gfx::testing {

inline char pixel_char(unsigned v) {
  if (v == 0) return '.';
  if (v == 1) return '#';
  return static_cast<char>('A' + (v - 2) % 26);
}

template <typename T>
std::vector<std::string> as_text(const PixelBuffer<T>& b) {
  std::vector<std::string> rows;
  for (int y = 0; y < b.height(); ++y) {
    std::string line;
    for (const T v : b.row(y)) line += pixel_char(static_cast<unsigned>(v));
    rows.push_back(line);
  }
  return rows;
}

// Pixels that differ from 0, as (x, y) pairs in row order.
template <typename T>
std::vector<std::pair<int, int>> set_pixels(const PixelBuffer<T>& b) {
  std::vector<std::pair<int, int>> out;
  for (int y = 0; y < b.height(); ++y) {
    for (int x = 0; x < b.width(); ++x) {
      if (b.pixel(x, y) != T{}) out.emplace_back(x, y);
    }
  }
  return out;
}

}  // namespace lumidraw::gfx::testing
