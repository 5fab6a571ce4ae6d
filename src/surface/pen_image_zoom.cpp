// Zoom about a point with a stack of saved views, and panning.
#include "surface/pen_image.h"

void TPenImage::ExpandL(lumidraw::gfx::Point, std::uint8_t) {}

void TPenImage::Expand(lumidraw::gfx::Point, std::uint8_t) {}

void TPenImage::PanStart(int, int) {}

void TPenImage::PanMove(int, int) {}

void TPenImage::PanEnd() {}
