// A figure list for stroking: straight and cubic Bezier pieces.
#pragma once

#include <array>
#include <vector>

#include "gfx/geometry.h"

namespace lumidraw::gfx {

// Figures of connected pieces. move_to starts a figure; line_to and bezier_to add a
// piece from the current point (from (0, 0) when no figure was started); close joins
// the figure's last point to its first. A figure that is only a move_to draws nothing.
class Path {
 public:
  enum class Kind { kMove, kLine, kBezier, kClose };
  struct Element {
    Kind kind = Kind::kMove;
    // kMove and kLine use p[0]; kBezier uses p[0], p[1] (control points) and p[2] (end).
    std::array<Point, 3> p{};
  };

  void move_to(Point p) { elements_.push_back({Kind::kMove, {p, {}, {}}}); }
  void line_to(Point p) { elements_.push_back({Kind::kLine, {p, {}, {}}}); }
  void bezier_to(Point c1, Point c2, Point end) {
    elements_.push_back({Kind::kBezier, {c1, c2, end}});
  }
  void close() { elements_.push_back({Kind::kClose, {}}); }
  bool empty() const { return elements_.empty(); }
  const std::vector<Element>& elements() const { return elements_; }

 private:
  std::vector<Element> elements_;
};

}  // namespace lumidraw::gfx
