// The stroke counter shared by the whole program: it picks the rainbow colour and
// the dotted pattern of a segment and numbers rainbow-by-stroke strokes. Starts at 0.
#pragma once

extern int StrokeCounter;
