#pragma once
// A small 8-bit buffer and a canvas over it: the pen draws index 1 ('#' in the
// pictures of pixel_text.h) at the given width, the brush index 2 ('A').

#include <string>
#include <vector>

#include "gfx/canvas.h"
#include "gfx/pixel_text.h"

namespace lumidraw::gfx::testing {

using Picture = std::vector<std::string>;

struct Fixture {
  Fixture(int w, int h, int pen_width) : buffer(w, h), canvas(buffer) {
    canvas.pen().color = Color::index(1);
    canvas.pen().width = pen_width;
    canvas.brush().color = Color::index(2);
  }
  Bitmap8 buffer;
  Canvas canvas;
};

}  // namespace lumidraw::gfx::testing
