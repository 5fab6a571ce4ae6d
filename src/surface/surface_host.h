// What the drawing surface needs from the window that shows it.
//
// The surface paints into its own display picture (see TPenImage::DisplayPicture);
// the host only copies the changed part of it to the screen.
#pragma once

#include "gfx/geometry.h"

// Size of the control's client area in control pixels.
struct TClientSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const TClientSize&, const TClientSize&) = default;
};

class TSurfaceHost {
 public:
  virtual ~TSurfaceHost() = default;

  virtual TClientSize ClientSize() const = 0;
  // Bits per pixel of the display device, asked once when the surface is created.
  virtual int DisplayBitsPerPixel() const = 0;
  // The rectangle of the display picture (control pixels, clipped to it) changed and
  // must reach the screen.
  virtual void RectChanged(const lumidraw::gfx::Rect& r) = 0;
  // Lets pending window messages run; the surface may be entered again meanwhile.
  virtual void ProcessMessages() = 0;
};
