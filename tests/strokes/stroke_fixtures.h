// Small helpers shared by the stroke tests: reading a list back and writing strokes the way
// the surface does.
#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

#include "strokes/pen_list.h"

namespace lumidraw::strokes {

inline void PrintTo(const TPenE& e, std::ostream* os) {
  *os << "{" << e.x << ", " << e.y << ", " << e.p << "}";
}

inline std::vector<TPenE> Entries(const TPenList& list) {
  std::vector<TPenE> out;
  for (std::int32_t i = 0; i < list.GetCount(); ++i) out.push_back(list.PenE(i));
  return out;
}

inline int StrokeCount(const TPenList& list) {
  int n = 0;
  for (const TPenE& e : Entries(list)) n += e.IsStrokeHeader() ? 1 : 0;
  return n;
}

// A pen stroke of `points` points (at least one) starting at (x, y), one pixel apart.
inline void AddStroke(TPenList& list, std::int32_t x, std::int32_t y, int points = 3) {
  list.AddPenDn(x, y, FullPressure, 0x0000FF, 1, 2, 4, 1);
  for (int k = 1; k < points; ++k) list.AddXY(x + k, y, FullPressure - k);
  list.AddPenUp(StrokeEnd);
}

}  // namespace lumidraw::strokes
