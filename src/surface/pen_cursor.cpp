#include "surface/pen_cursor.h"

#include <array>
#include <cstdint>

#include "gfx/geometry.h"

namespace lumidraw::surface {

namespace {

using gfx::Point;

constexpr int kRainbowMask = 0x08FFFFFF;
constexpr int kRainbowBySegment = 0x08000000;
constexpr int kRainbowByStroke = 0x08000001;

constexpr std::array<Point, 14> kFull{{{0, 0},
                                       {1, 1},
                                       {2, 1},
                                       {3, 1},
                                       {4, 1},
                                       {2, 2},
                                       {3, 2},
                                       {4, 2},
                                       {5, 2},
                                       {3, 3},
                                       {4, 3},
                                       {5, 3},
                                       {3, 4},
                                       {4, 4}}};
constexpr std::array<Point, 3> kShade98{{{2, 3}, {2, 4}, {3, 5}}};
constexpr std::array<Point, 4> kShade73{{{1, 2}, {1, 3}, {1, 4}, {2, 5}}};
constexpr std::array<Point, 12> kShade59{{{1, 0},
                                          {2, 0},
                                          {3, 0},
                                          {4, 0},
                                          {0, 1},
                                          {5, 1},
                                          {0, 2},
                                          {6, 2},
                                          {0, 3},
                                          {0, 4},
                                          {1, 5},
                                          {2, 6}}};

// channel * percent / 100, rounded half to even, exactly.
std::uint32_t Shade(std::uint32_t channel, std::uint32_t percent) {
  const std::uint32_t q = channel * percent;
  const std::uint32_t whole = q / 100;
  const std::uint32_t rest = q % 100;
  return rest > 50 || (rest == 50 && whole % 2 == 1) ? whole + 1 : whole;
}

gfx::ColorRef ShadeColor(gfx::ColorRef c, std::uint32_t percent) {
  return Shade(c & 0xFF, percent) | Shade((c >> 8) & 0xFF, percent) << 8 |
         Shade((c >> 16) & 0xFF, percent) << 16;
}

template <std::size_t N>
void Paint(gfx::Bitmap32& image, const std::array<Point, N>& points, gfx::ColorRef c) {
  for (const Point p : points) {
    if (!image.contains(p.x, p.y)) continue;
    image.set_pixel(p.x, p.y, (image.pixel(p.x, p.y) & 0xFF000000u) | gfx::to_pixel(c));
  }
}

}  // namespace

int pen_cursor_index(int penColor, int penAlpha) {
  const int base = penAlpha == 255 ? 1 : 5;
  const int masked = penColor & kRainbowMask;
  if (masked == kRainbowBySegment || masked == kRainbowByStroke) return base;
  const int red = penColor & 0xFF;
  const int green = (penColor >> 8) & 0xFF;
  const int blue = (penColor >> 16) & 0xFF;
  if (red >= 222 && green >= 222 && blue >= 222) return base + 3;
  if (red > 33 || green > 33 || blue > 33) return base + 1;
  return base + 2;
}

void tint_pen_pointer(gfx::Bitmap32& image, gfx::ColorRef color) {
  color &= 0xFFFFFF;
  Paint(image, kFull, color);
  Paint(image, kShade98, ShadeColor(color, 98));
  Paint(image, kShade73, ShadeColor(color, 73));
  Paint(image, kShade59, ShadeColor(color, 59));
}

}  // namespace lumidraw::surface
