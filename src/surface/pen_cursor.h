// The pen pointer: which of the overlay's pen pointers fits a pen, and the tint of
// the coloured one.
#pragma once

#include "gfx/bitmap.h"

namespace lumidraw::surface {

// 1 rainbow, 2 coloured, 3 black, 4 white pen; 5-8 the same for a marker (level
// below 255). White needs every channel at least 222, coloured any above 33.
int pen_cursor_index(int penColor, int penAlpha);

// Paints the pen's colour 0x00BBGGRR and three darker shades of it over the tip of
// the coloured pointer's picture (the top-left 7 x 7 pixels). The pad byte of every
// pixel is kept; pixels outside a smaller picture are left out.
void tint_pen_pointer(gfx::Bitmap32& image, gfx::ColorRef color);

}  // namespace lumidraw::surface
