#include "surface/stroke_counter.h"

int StrokeCounter = 0;
