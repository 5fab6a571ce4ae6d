// Drawing onto a pixel buffer with pens and brushes.
//
// A Canvas draws into one buffer it does not own (32-bit, 8-bit indexed or mask) and
// keeps the drawing state: pen, brush, font and the current position. Every call
// works on raw pixel values:
//   - 32-bit buffers: a colour 0x00BBGGRR becomes the pixel 0x00RRGGBB; palette
//     index i becomes the grey pixel (i, i, i).
//   - 8-bit buffers: palette index i writes i; a colour writes the index of its
//     nearest palette entry (a search of the palette on every call, so use indexes
//     for speed).
//   - mask buffers: index 0 and the colour black write 0, anything else writes 1.
//
// Pen modes combine the value v with the pixel p: copy p := v, merge p := p | v,
// mask p := p & v, exclusive-or p := p ^ v.
//
// Guarantees of every drawing call:
//   - it is clipped to the buffer: nothing outside is read or written;
//   - it touches each pixel at most once (a figure's outline and inside and
//     overlapping pieces of a figure are merged first), so an exclusive-or figure
//     drawn twice restores the buffer exactly and merging a value onto itself changes
//     nothing;
//   - it is deterministic: the same call on the same buffer gives the same pixels.
//
// A Canvas keeps scratch memory and per-width tables between calls, so keep one per
// buffer for repeated drawing such as pen moves rather than one per call.
//
// ASSUMPTION: coordinates within +-262144 and pen widths up to 4096; larger values
// are clamped (no overflow, but the figure is then not the one asked for).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

#include "gfx/bitmap.h"
#include "gfx/geometry.h"
#include "gfx/glyph_source.h"
#include "gfx/path.h"
#include "gfx/span_raster.h"

namespace lumidraw::gfx {

// A colour 0x00BBGGRR or a palette index.
class Color {
 public:
  static constexpr Color rgb(ColorRef c) { return Color(false, c & 0xFFFFFFu); }
  static constexpr Color index(std::uint8_t i) { return Color(true, i); }
  constexpr bool is_index() const { return is_index_; }
  // The colour, or the index when is_index().
  constexpr std::uint32_t value() const { return value_; }
  friend bool operator==(const Color&, const Color&) = default;

 private:
  constexpr Color(bool is_index, std::uint32_t value) : is_index_(is_index), value_(value) {}
  bool is_index_ = false;
  std::uint32_t value_ = 0;
};

enum class PenMode { kCopy, kMerge, kMask, kXor };

enum class PenStyle {
  kSolid,
  kClear,  // draws nothing
  kDash,   // geometric: dashes of `Pen::dash`, each with round ends
};

// Widths: 1 or less is the one-pixel pen (the line pixels of thin_line_spans, end
// point left out); 2 and more a geometric pen with round ends and round joins whose
// end points are included. A dashed pen is always geometric, also at width 1.
struct Pen {
  Color color = Color::rgb(0);
  int width = 1;
  PenStyle style = PenStyle::kSolid;
  // kDash: lengths in pixels along the figure, drawn, skipped, drawn, ... repeating;
  // the pattern starts afresh with every figure. Each drawn dash gets round ends of
  // half the width beyond its length. Empty or all zero draws solid.
  std::vector<int> dash;
  // Also combines a figure's inside (brush) with the buffer.
  PenMode mode = PenMode::kCopy;
};

enum class BrushStyle { kSolid, kClear };

struct Brush {
  Color color = Color::rgb(0xFFFFFF);
  BrushStyle style = BrushStyle::kSolid;
};

// Fonts taller than raster::kMaxCoord pixels draw no text.
struct Font {
  const GlyphSource* source = nullptr;  // not owned; no text without one
  int height = 0;                       // pixels
  Color color = Color::rgb(0);
};

class Canvas {
 public:
  explicit Canvas(Bitmap32& target) : target_(&target) {}
  explicit Canvas(Bitmap8& target) : target_(&target) {}
  explicit Canvas(MaskBitmap& target) : target_(&target) {}

  Pen& pen() { return pen_; }
  const Pen& pen() const { return pen_; }
  Brush& brush() { return brush_; }
  const Brush& brush() const { return brush_; }
  Font& font() { return font_; }
  const Font& font() const { return font_; }

  Point position() const { return position_; }
  void move_to(Point p) { position_ = p; }

  // A line from position() to p; position() becomes p.
  // One-pixel pen: covers position() up to but not including p (nothing when they are
  // equal), so lines chained with line_to set every joint once:
  //
  //   move_to(0,0); line_to(4,0):   # # # # o     (o = (4,0) left out)
  //
  // Geometric pen: the pixels whose centres lie within width/2 of the segment,
  // with round ends around both points (a round dot when they are equal; see
  // raster::pen_centre for where even widths are centred):
  //
  //   width 5, (2,2) -> (2,2):   . # # # .
  //                              # # # # #
  //                              # # # # #
  //                              # # # # #
  //                              . # # # .
  void line_to(Point p);

  // Lines through all points as one figure, round joins; position() becomes the last
  // point. One-pixel pen: the last point is left out. Fewer than two points: nothing.
  void polyline(std::span<const Point> points);

  // Cubic Bezier pieces: points[0] is the start, then three points (two controls and
  // an end) per piece; points beyond the last full piece are ignored, fewer than four
  // draw nothing. Each piece is followed by straight lines between points within 1/8
  // pixel of the curve, taken to whole pixels, so the curve passes exactly through the
  // start and every piece's end; with the one-pixel pen the final end is left out.
  // position() becomes the final end.
  void poly_bezier(std::span<const Point> points);

  // Strokes every figure of the path with the pen (a figure from a point to itself
  // draws a dot with a geometric pen). Brush and position() are not used.
  void stroke_path(const Path& path);

  // Outline with the pen and inside with the brush of the rectangle covering columns
  // box.left .. box.right-1 and rows box.top .. box.bottom-1 (reversed edges are
  // swapped; empty: nothing). The one-pixel outline is the box's border ring;
  // a geometric outline follows the ring's centre line (the closed figure through the
  // corner pixels (left, top), (right-1, top), (right-1, bottom-1), (left, bottom-1)).
  // The brush covers the box's pixels that the outline leaves; with a clear pen that
  // is the whole box.
  //
  //   rectangle({1,1,5,4}), one-pixel pen P, brush B:
  //   . . . . . .
  //   . P P P P .
  //   . P B B P .
  //   . P P P P .
  //   . . . . . .
  void rectangle(Rect box);

  // The ellipse inscribed in box (reversed edges swapped; empty: nothing). Its inside
  // is the pixels of the box whose centres lie inside the ellipse touching the box's
  // outer edges; the one-pixel outline is those of them with a 4-neighbour outside, a
  // geometric outline follows the centres of the outermost pixels. The figure is
  // symmetric about both of the box's middle lines.
  //
  //   ellipse({0,0,6,6}), one-pixel pen P, brush B:
  //   . P P P P .
  //   P B B B B P
  //   P B B B B P
  //   P B B B B P
  //   P B B B B P
  //   . P P P P .
  void ellipse(Rect box);

  // The part of ellipse(box)'s outline swept counter-clockwise (as seen on the
  // buffer, y growing downward) from the radial through `start` to the radial
  // through `end`, both from the box's centre; a point stands for its pixel's centre
  // (x + 1/2, y + 1/2), as the box's centre is ((left + right) / 2, (top + bottom) / 2).
  // Equal radials give the whole outline. Both ends are included. No brush.
  //
  //   arc({0,0,7,7}, start (9,3), end (3,-3)), one-pixel pen: the quarter from
  //   3 o'clock up to 12 o'clock:
  //   . . . # # . .
  //   . . . . . # .
  //   . . . . . . #
  //   . . . . . . #
  //   . . . . . . .
  void arc(Rect box, Point start, Point end);

  // Sets the pixels of r (clipped) to the brush colour; pen mode and pen are not used.
  // A clear brush draws nothing.
  void fill_rect(Rect r);

  // Box of text at the current font; (0, 0) without a glyph source or above the
  // height limit.
  Size text_extent(std::string_view text) const;
  // Text with the box's top-left at `at`: the glyph pixels take the font colour
  // (copied, whatever the pen mode), the rest of the box is left as it is.
  void text_out(Point at, std::string_view text);

 private:
  // A figure's points in sub-units, for a geometric pen.
  struct SubFigure {
    std::vector<raster::SubPoint> points;
    bool closed = false;
  };

  bool thin() const;
  std::uint32_t pen_value() const;
  std::uint32_t raw_value(Color c) const;
  Rect clip() const;
  void apply(const raster::SpanSet& spans, std::uint32_t value);
  void apply_span(int y, int x0, int x1, std::uint32_t value, PenMode mode);
  // Adds the pen's pixels for figures in sub-units (geometric pen).
  void add_geometric(std::span<const SubFigure> figures, raster::SpanSet& out);
  // Adds the one-pixel pen's pixels for lines through `points` (end left out).
  void add_thin(std::span<const Point> points, bool closed, raster::SpanSet& out) const;
  void draw_ellipse(Rect box, bool whole, double start, double sweep);

  std::variant<Bitmap32*, Bitmap8*, MaskBitmap*> target_;
  Pen pen_;
  Brush brush_;
  Font font_;
  Point position_;
  // Scratch reused across calls.
  raster::DiscChords chords_;
  raster::SpanSet pen_spans_;
  raster::SpanSet brush_spans_;
  std::vector<SubFigure> figures_;
  std::vector<Point> thin_points_;
};

}  // namespace lumidraw::gfx
