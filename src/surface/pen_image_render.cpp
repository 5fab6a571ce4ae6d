// Stroke rendering: the pen's parameters, segments into the ink and coverage layers,
// smoothed strokes and the number labels of rainbow-by-stroke ink.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "gfx/path.h"
#include "settings/settings_catalogue.h"
#include "strokes/pen_list.h"
#include "surface/pen_image.h"
#include "surface/pen_pressure.h"
#include "surface/rounding.h"
#include "surface/smoothing.h"
#include "surface/stroke_counter.h"

namespace {

using lumidraw::gfx::Color;
using lumidraw::gfx::ColorRef;
using lumidraw::gfx::PenMode;
using lumidraw::gfx::PenStyle;
using lumidraw::gfx::Point;
namespace settings = lumidraw::settings;

constexpr int kRainbowMask = 0x08FFFFFF;
constexpr int kRainbowBySegment = 0x08000000;
constexpr int kRainbowByStroke = 0x08000001;
constexpr int kDottedBit = 0x10000000;
constexpr int kEraserMode = 3;
constexpr int kPenMode = 2;

// Rainbow colours, 0x00BBGGRR, in the order ink takes them.
constexpr std::array<ColorRef, 7> kRainbow{0xFF00FF, 0x0000FF, 0x0066FF, 0x00FFFF,
                                           0x00FF00, 0xFF0000, 0xCC6666};
// Dotted ink draws the segments of these counter values (mod 6) and skips the others.
constexpr std::array<bool, 6> kDotDrawn{true, false, false, true, false, false};

int PositiveMod(int v, int m) {
  return ((v % m) + m) % m;
}

bool IsRainbow(int word) {
  const int c = word & kRainbowMask;
  return c == kRainbowBySegment || c == kRainbowByStroke;
}

PenStyle DottedStyle(int word) {
  if ((word & kDottedBit) == 0) return PenStyle::kSolid;
  return kDotDrawn[static_cast<std::size_t>(PositiveMod(StrokeCounter, 6))] ? PenStyle::kSolid
                                                                            : PenStyle::kClear;
}

// The ink colour of the next segment; every colour word but rainbow-by-stroke moves
// the counter on by one segment.
ColorRef ColourRule(int word) {
  const ColorRef colour = IsRainbow(word)
                              ? kRainbow[static_cast<std::size_t>(PositiveMod(StrokeCounter, 7))]
                              : static_cast<ColorRef>(word) & 0xFFFFFF;
  if ((word & kRainbowMask) != kRainbowByStroke) StrokeCounter = (StrokeCounter + 1) % 42;
  return colour;
}

// Thin pens get a stronger coverage so that the line does not fade out.
std::uint8_t CoverageLevel(int inkWidth, int level) {
  if (inkWidth == 2) level += (255 - level) >> 1;
  return static_cast<std::uint8_t>(level);
}

// The eraser's 0 is copied; any other level is OR-ed into the coverage, so that a
// marker over itself keeps its level. OR-ing 255 gives 255, so full coverage is copied
// too: the same pixels, written faster.
PenMode CoverageMode(Color level) {
  return level == Color::index(0) || level == Color::index(255) ? PenMode::kCopy : PenMode::kMerge;
}

// Points far outside any layer (a stored coordinate can be anything a 32-bit entry
// holds) are pulled in to where doubling them cannot overflow; the raster layer clips
// long before this bound.
constexpr int kFarOutside = 1 << 28;
Point PulledIn(Point p) {
  return {std::clamp(p.x, -kFarOutside, kFarOutside), std::clamp(p.y, -kFarOutside, kFarOutside)};
}

Point Doubled(Point p) {
  p = PulledIn(p);
  return {2 * p.x + 1, 2 * p.y + 1};
}

}  // namespace

void TPenImage::DPenSet(const lumidraw::TPenType& PPenType) {
  PenColor = static_cast<int>(PPenType.PenColor);
  if (PenColor == kRainbowBySegment && settings::PenRevise == 1) PenColor = kRainbowByStroke;
  PenWidth = PPenType.PenWidth;
  PenAlpha = PPenType.PenAlpha == 1 ? 255 : settings::MarkerPenAlpha;
  Pentype = settings::PenRevise;
  PL_UP = lumidraw::strokes::StrokeEnd;
}

void TPenImage::SetGlyphSource(const lumidraw::gfx::GlyphSource* source) {
  glyphs_ = source != nullptr ? source : &blockGlyphs_;
}

void TPenImage::SetSegmentPens(int inkWidth, int coverageWidth, int level) {
  auto& ink = inkCanvas_.pen();
  auto& coverage = coverageCanvas_.pen();
  if (MMode == kEraserMode) {
    coverage.color = Color::index(0);
    coverage.style = PenStyle::kSolid;
    ink.color = Color::rgb(lumidraw::gfx::to_color(lumidraw::surface::kNoInk));
    ink.style = PenStyle::kSolid;
  } else {
    // Both pens take the dotted pattern before the colour moves the counter on.
    const PenStyle style = DottedStyle(PenColor);
    coverage.color = Color::index(CoverageLevel(inkWidth, level));
    coverage.style = style;
    ink.color = Color::rgb(ColourRule(PenColor));
    ink.style = style;
  }
  coverage.width = coverageWidth;
  ink.width = inkWidth;
}

void TPenImage::DrawSegment(int p) {
  const int w = lumidraw::surface::pressure_width(p, PenWidth, settings::PenPressure);
  if (w <= 0) return;
  if (is256) {
    SetSegmentPens(w, 2 * w, PenAlpha);
  } else {
    // The coverage line is half a picture pixel narrower than the ink (wider for the
    // eraser, so that it leaves no coverage fringe), and scaled by pressure again.
    const int e = MouseF == kEraserMode ? 1 : -1;
    SetSegmentPens(w + 1, lumidraw::surface::pressure_width(p, 2 * w + e, settings::PenPressure),
                   PenAlpha);
  }
  const bool dot = xy0 == xy1;
  auto& ink = inkCanvas_.pen();
  if (ink.style != PenStyle::kClear) {
    inkCanvas_.move_to(xy0);
    // The one-pixel pen leaves out its end point: a dot needs one more pixel.
    inkCanvas_.line_to(dot && ink.width <= 1 ? Point{xy1.x + 1, xy1.y} : xy1);
  }
  auto& coverage = coverageCanvas_.pen();
  if (coverage.style != PenStyle::kClear) {
    coverage.mode = CoverageMode(coverage.color);
    coverageCanvas_.move_to(Doubled(xy0));
    const Point end = Doubled(xy1);
    coverageCanvas_.line_to(dot ? Point{end.x + 1, end.y} : end);
    coverage.mode = PenMode::kCopy;
  }
}

void TPenImage::DrawSmoothed() {
  const bool curved =
      lumidraw::surface::smoothing_points(xy, settings::PenReviseValue, controlPoints_);
  const int inkWidth = is256 ? PenWidth : PenWidth + 1;
  const int coverageWidth = is256 ? 2 * PenWidth : 2 * PenWidth - 1;
  const bool dotted = MMode == kPenMode && (PenColor & kDottedBit) != 0;
  if (dotted) {
    // The ink is solid; the dots come from the dashed coverage.
    auto& ink = inkCanvas_.pen();
    ink.color = Color::rgb(ColourRule(PenColor));
    ink.width = inkWidth;
    ink.style = PenStyle::kSolid;
  } else {
    SetSegmentPens(inkWidth, coverageWidth, PenAlpha);
  }
  const auto draw = [curved](lumidraw::gfx::Canvas& canvas, const std::vector<Point>& points) {
    if (curved) {
      canvas.poly_bezier(points);
    } else {
      canvas.polyline(points);
    }
  };
  draw(inkCanvas_, controlPoints_);

  for (auto& p : controlPoints_) p = Doubled(p);
  auto& coverage = coverageCanvas_.pen();
  if (dotted) {
    const int width = 2 * inkWidth;
    lumidraw::gfx::Path path;
    if (!controlPoints_.empty()) path.move_to(controlPoints_.front());
    if (curved) {
      for (std::size_t i = 1; i + 2 < controlPoints_.size(); i += 3) {
        path.bezier_to(controlPoints_[i], controlPoints_[i + 1], controlPoints_[i + 2]);
      }
    } else {
      for (std::size_t i = 1; i < controlPoints_.size(); ++i) path.line_to(controlPoints_[i]);
    }
    coverage.color = Color::index(CoverageLevel(inkWidth, PenAlpha));
    coverage.width = width;
    coverage.style = PenStyle::kDash;
    coverage.dash = {3 * width, 3 * width};
    coverage.mode = PenMode::kMerge;
    // A lone point is not a figure worth a dot of its own, as with the polyline.
    if (controlPoints_.size() > 1) coverageCanvas_.stroke_path(path);
    coverage.style = PenStyle::kSolid;
  } else {
    coverage.mode = CoverageMode(coverage.color);
    draw(coverageCanvas_, controlPoints_);
  }
  coverage.mode = PenMode::kCopy;
  controlPoints_.clear();
}

void TPenImage::DrawNumberLabel(Point at, ColorRef fill, ColorRef ink) {
  at = PulledIn(at);
  const std::string text = std::to_string(StrokeCounter);
  auto& font = inkCanvas_.font();
  font = {glyphs_, 30, Color::rgb(ink)};
  const auto extent = inkCanvas_.text_extent(text);
  const int r = lumidraw::surface::round_half_even(
                    std::sqrt(static_cast<double>(extent.width) * extent.width +
                              static_cast<double>(extent.height) * extent.height) /
                    2) +
                2;
  const lumidraw::gfx::Rect box{at.x - r, at.y - r, at.x + r, at.y + r};
  const Point textAt{at.x - extent.width / 2, at.y - extent.height / 2};

  auto& inkPen = inkCanvas_.pen();
  inkPen = {Color::rgb(ink), 3, PenStyle::kSolid, {}, PenMode::kCopy};
  inkCanvas_.brush() = {Color::rgb(fill), lumidraw::gfx::BrushStyle::kSolid};
  inkCanvas_.ellipse(box);
  inkCanvas_.text_out(textAt, text);

  // Black ink on a light disc: full-coverage ring and digits on a disc of the pen's
  // level; the light label the other way round.
  const std::uint8_t level = static_cast<std::uint8_t>(PenAlpha);
  const std::uint8_t outline = ink == 0 ? 255 : level;
  const std::uint8_t inside = ink == 0 ? level : 255;
  coverageCanvas_.pen() = {Color::index(outline), 3, PenStyle::kSolid, {}, PenMode::kCopy};
  coverageCanvas_.brush() = {Color::index(inside), lumidraw::gfx::BrushStyle::kSolid};
  coverageCanvas_.font() = {glyphs_, 60, Color::index(outline)};
  coverageCanvas_.ellipse({2 * box.left, 2 * box.top, 2 * box.right, 2 * box.bottom});
  coverageCanvas_.text_out({2 * textAt.x, 2 * textAt.y}, text);

  xy0 = {box.left, box.top};
  xy1 = {box.right, box.bottom};
  ShowRect(ComposeRect(true));
}
