// What the drawing surface needs from the window that shows it.
//
// The surface paints into its own display picture (see TPenImage::DisplayPicture);
// the host only copies the changed part of it to the screen.
#pragma once

#include "gfx/bitmap.h"
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
  // A screen position in control pixels (zooming takes its centre in screen coordinates).
  virtual lumidraw::gfx::Point ScreenToControl(lumidraw::gfx::Point screen) const = 0;
  // The floating selection box (TPenImage::RgnPBox) was shown, hidden or moved, or its
  // picture (TPenImage::RgnPBoxPaint) changed. The window shows the box in front of the
  // surface at RgnPBox's place, with the open-hand pointer 11, and hands its button
  // presses, moves and releases to TPenImage::RgnPBoxMouseDown/Move/Up.
  virtual void SelectionBoxChanged() = 0;

  // Pointer shapes, by index into the overlay's cursor table: 0 the platform's default,
  // 1-8 pen and marker pointers, 10 eraser, 11 open hand, 12 closed hand, 13 lasso.
  virtual void SetPointer(int index) = 0;
  // Hides the pointer everywhere on the screen until the next SetPointer.
  virtual void HidePointer() = 0;
  // The picture of pointer `index` (32 x 32, tinting starts from it) ...
  virtual lumidraw::gfx::Bitmap32 PointerImage(int index) const = 0;
  // ... and its replacement, installed at the same index.
  virtual void SetPointerImage(int index, const lumidraw::gfx::Bitmap32& image) = 0;
};
