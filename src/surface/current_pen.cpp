#include "surface/current_pen.h"

lumidraw::TPenType CrPen;
