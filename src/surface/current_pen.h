// The pen the tool window has chosen; the surface takes it again when a right-button
// erase ends in pen mode.
#pragma once

#include "settings/pen_type.h"

extern lumidraw::TPenType CrPen;
