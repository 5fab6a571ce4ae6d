// The whiteboard background: a board colour with optional ruled lines.
#pragma once

#include "gfx/bitmap.h"

// How the board looks; the overlay fills it from the WhiteBoard settings.
struct TWhiteBoardLook {
  lumidraw::gfx::ColorRef BrushColor = 0;  // board, 0x00BBGGRR
  lumidraw::gfx::ColorRef PenColor = 0;    // ruled lines, 0x00BBGGRR
  bool HorizontalLine = false;
  bool VerticalLine = false;
  int HWidth = 0;  // distance between horizontal lines, pixels
  int VWidth = 0;  // distance between vertical lines, pixels
};

// Fills (0, 0)-(w, h) of `bitmap` with the board colour, then draws the ruled lines
// one pixel wide: horizontal ones at y = HWidth, 2 HWidth, ... across x = 0 .. w - 1,
// vertical ones at x = VWidth, 2 VWidth, ... down y = 0 .. h - 1. The first line lies
// one spacing from the edge; lines at or beyond the far edge fall outside the bitmap.
// A spacing below 1 draws no lines of that direction (there is no sensible ruling
// for it, and stepping by it would never end).
void WhiteBoardPaint(lumidraw::gfx::Bitmap32& bitmap, int w, int h, const TWhiteBoardLook& look);
