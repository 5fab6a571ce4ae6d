// The drawing surface: the picture layers of the overlay, their composition into
// the shown picture, and the display picture the host copies to the screen.
//
// Layers, all sized from sw x sh:
//   FBBitmap  sw x sh 32-bit            background (capture, whiteboard, opened picture)
//   PBitmap   sw x sh 32-bit            ink colour; kNoInk (0x7F7F7F) where no ink lies
//   ABitmap   (2 sw + 2) x (2 sh + 2)   ink coverage 0-255 at double resolution; picture
//             8-bit, grey palette       pixel (x, y) is centred on coverage (2x+1, 2y+1)
//   Bitmap    sw x sh 32-bit            composed picture: shown, saved and copied
// The picture is shown at scale `bai` with its origin at control position (px, py):
// picture point p appears at round(p * bai) + (px, py).
//
// Everything runs on the user-interface thread. BitmapDispAll lets pending messages
// run before it paints, so any handler may find the picture repainted between two
// of its own steps.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "gfx/bitmap.h"
#include "gfx/canvas.h"
#include "gfx/geometry.h"
#include "settings/pen_type.h"
#include "strokes/pen_entry.h"
#include "surface/composition.h"
#include "surface/pen_event.h"
#include "surface/surface_host.h"
#include "surface/view_arithmetic.h"
#include "surface/whiteboard.h"

namespace lumidraw::strokes {
class TPenList;
}

// A saved view of the zoom stack: offset `p` and scale `b`.
struct TZoom {
  lumidraw::gfx::Point p;
  double b = 0.0;
};
using TZooms = std::array<TZoom, 18>;

// Where the floating selection box lies: control pixels relative to the surface's own
// top-left (the window adds the surface's position).
struct TSelectionBox {
  bool Visible = false;
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

class TPenImage {
 public:
  // Construction: a 0 x 0 picture; one-to-one display when the host's display has 8
  // bits per pixel or fewer.
  explicit TPenImage(TSurfaceHost& host);
  TPenImage(const TPenImage&) = delete;
  TPenImage& operator=(const TPenImage&) = delete;

  // sw := x, sh := y; resizes the layers (coverage to (2x + 2) x (2y + 2)). Contents
  // are kept where the old and new sizes overlap (new pixels are 0), not cleared.
  // Negative sizes count as 0. Without memory for the new size every layer becomes
  // empty (sw = sh = 0) and the allocation failure is passed on.
  void BitmapSet(int x, int y);
  // View at scale 1 and offset 0, zoom stack emptied, ink cleared.
  void BitmapInit();
  // Takes PICT as the background at its own size; with e also BitmapInit.
  void BitmapLoad(const lumidraw::gfx::Bitmap32& PICT, bool e);
  // The whiteboard as background, w x h, then BitmapInit.
  void WBrdLoad(int w, int h, const TWhiteBoardLook& look);
  // Clears the ink (ClearInk); resets the stroke counter under rainbow-by-stroke ink.
  // Without isInit also empties the stroke list and records the empty list as an
  // undo step.
  void BitmapErase(bool isInit);

  // Repaint: keeping the view when isFixed, else fitting the picture.
  void BitmapDisp();
  // Repaint keeping the view.
  void BitmapDisp2();
  // Repaints the whole control at the current scale and offset. A fixed view is first
  // corrected so that a picture smaller than the control is centred and a larger one
  // leaves no gap at its right or bottom edge. The control outside the picture shows
  // BackColor.
  void BitmapDispAll();
  // Fits the picture into the control (scale min(CH / sh, CW / sw), centred), empties
  // the zoom stack and repaints. Does nothing without a picture or without a client
  // area to fit into.
  void BitmapDispCenter();

  // Lasso
  // Path start at control point (X, Y): the selection is cleared and the list replayed,
  // then a grey path starts on the display picture.
  void LassoStart(int X, int Y);
  // Extends the grey path to (X, Y) and widens the path's bounding rectangle.
  void LassoExtend(int X, int Y);
  // Selects every stroke whose points all lie strictly inside the path's bounding
  // rectangle, then rebuilds the picture (replay shows the selected strokes in the box).
  void LassoSelect();
  // False while a lasso path is drawn or the selection box is shown.
  bool CanLasso() const;
  // The selection box's picture: the display picture under the box with the black
  // silhouette of the selected strokes over it. Empty without a silhouette.
  lumidraw::gfx::Bitmap32 RgnPBoxPaint() const;
  // Dragging the box; X, Y are box coordinates. Release moves the selected strokes by
  // the dragged distance in picture pixels and rebuilds the picture.
  void RgnPBoxMouseDown(int X, int Y);
  void RgnPBoxMouseMove(int X, int Y);
  void RgnPBoxMouseUp(int X, int Y);

  // Zoom and pan
  // Zoom stack arithmetic without repaint: ba = 1 zooms in one step about the screen
  // point ps (the picture point under it stays there), any other value returns to the
  // previous view. At most 18 steps deep.
  void ExpandL(lumidraw::gfx::Point ps, std::uint8_t ba);
  // ExpandL and repaint; nothing while CanLasso is false.
  void Expand(lumidraw::gfx::Point ps, std::uint8_t ba);
  // The pan gesture: press, move and release at control point (X, Y).
  void PanStart(int X, int Y);
  void PanMove(int X, int Y);
  void PanEnd();

  // Shapes
  // Press with MouseF 8-12 (xy0 and xy1 already set): shows the line preview for 8.
  void ShapeStart();
  // Move with MouseF 8-12: moves the preview; the arc's radius is fixed once Ctrl or
  // Alt is released, and Shift makes the ellipse a circle.
  void ShapeMove(TShiftState Shift, int X, int Y);
  // Release with MouseF 8-12: removes the preview and draws the shape into the layers
  // and the stroke list.
  void ShapeEnd();

  // Pen input
  // Tool mode m: 1 move image, 2 pen, 3 eraser, 4 lasso; 0 keeps the mode. Sets the
  // pointer; entering or leaving the lasso with a selection clears it and rebuilds the
  // picture. b also clears BShift. A running gesture is dropped, not finished.
  void SetMMode(int m, bool b);
  // The control's button and move handlers, control pixels. Input is ignored while
  // there is no picture; OnPenDown is raised before and OnPenUp after own handling,
  // for every button. A right press while another gesture runs starts nothing.
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  void MouseMove(TShiftState Shift, int X, int Y);
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  std::function<void(const TPenEvent&)> OnPenDown;
  std::function<void(const TPenEvent&)> OnPenUp;
  std::uint8_t MMode = 0;  // tool mode; 0 only before the first SetMMode
  TShiftState BShift = 0;  // modifiers added to every pen-down

  // Stroke rendering
  // Takes a pen preset as the drawing pen.
  void DPenSet(const lumidraw::TPenType& PPenType);
  // Glyphs of the number labels; nullptr returns to the built-in block glyphs. Not owned.
  void SetGlyphSource(const lumidraw::gfx::GlyphSource* source);
  int PenAlpha = 0;                          // coverage level 0-255 (255 = opaque)
  int Pentype = 0;                           // 0 plain strokes, 1 smoothed strokes
  int PL_UP = lumidraw::strokes::StrokeEnd;  // end-of-stroke code written at pen-up

  // Replay and eraser
  // Draws every entry of the stroke list again over the layers as they are, lifting
  // selected strokes into the selection box; repaints with BitmapDisp (b) or BitmapDisp2.
  void PenListPlay(bool b);
  // The eraser's pen: 12, 24 or 36 pixels wide by the EraseDefault setting.
  void DEraseSet();
  TSelectionBox RgnPBox;                // the floating selection box
  lumidraw::gfx::MaskBitmap RgnBitmap;  // its silhouette: 0 (black) where selected strokes lie
  bool Rgnf = false;                    // the selection box is being dragged

  // The background layer.
  const lumidraw::gfx::Bitmap32& BBitmap() const { return FBBitmap; }
  // What the control shows, client-sized, 32 bits per pixel.
  const lumidraw::gfx::Bitmap32& DisplayPicture() const { return display_; }

  int px = 0;  // control position of the picture's origin
  int py = 0;
  double zoom0 = 0.0;       // scale at zoom depth 0
  double bai = 1.0;         // control pixels per picture pixel
  TZooms zoom{};            // saved views, used up to CrZoom
  int CrZoom = 0;           // zoom depth, 0-18
  bool isFixed = false;     // repaint keeps the view (true) or fits the picture (false)
  std::uint8_t MouseF = 0;  // gesture state while a button is down
  int PenColor = 0;         // colour word of the current pen
  int PenWidth = 0;         // picture pixels
  int sw = 0;               // picture size
  int sh = 0;
  lumidraw::gfx::ColorRef BackColor = 0;           // control area outside the picture, 0x00BBGGRR
  lumidraw::strokes::TPenList* PenList = nullptr;  // the shown stroke list; owned by the overlay

 private:
  friend struct TPenImageProbe;

  // Composes the box of the segment xy0-xy1 (fromSegment) or of all points of xy,
  // widened by the pen's margin and clamped to the picture; returns the clamped box
  // for ShowRect. An empty xy composes nothing.
  lumidraw::surface::ComposeBox ComposeRect(bool fromSegment);
  // Copies the composed box, snapped outward to 10-pixel blocks, to the display.
  void ShowRect(const lumidraw::surface::ComposeBox& box);
  void ComposeAll();
  // Coverage 0 and no ink everywhere; the picture becomes the background.
  void ClearInk();
  void ResetZooms();
  lumidraw::gfx::Point ScreenToPicture(int X, int Y) const;
  // Where picture point q is shown: round(q * bai) + (px, py), saturated.
  lumidraw::gfx::Point PictureToControl(lumidraw::gfx::Point q) const;

  void RebuildRowTables();
  // Gives the display picture the host's client size.
  void SyncDisplaySize();
  // Nearest-neighbour copy of `from` of the picture onto `to` of the display.
  void CopyToDisplay(const lumidraw::gfx::Rect& to, const lumidraw::gfx::Rect& from);

  TSurfaceHost& host_;

  // Row tables of PBitmap, ABitmap, FBBitmap and Bitmap; rebuilt at every resize.
  std::vector<lumidraw::gfx::Pixel32*> b1;
  std::vector<std::uint8_t*> b2;
  std::vector<lumidraw::gfx::Pixel32*> b3;
  std::vector<lumidraw::gfx::Pixel32*> b4;
  lumidraw::gfx::Bitmap8 ABitmap;
  lumidraw::gfx::Bitmap32 PBitmap;
  lumidraw::gfx::Bitmap32 Bitmap;
  lumidraw::gfx::Bitmap32 FBBitmap;
  lumidraw::gfx::Point xy0;              // segment start
  lumidraw::gfx::Point xy1;              // segment end
  std::vector<lumidraw::gfx::Point> xy;  // points of the smoothed stroke being drawn
  bool is256 = false;                    // one-to-one display: ink is not blended

  lumidraw::surface::ComposeKernel kernel_ = lumidraw::surface::native_kernel();
  lumidraw::gfx::Bitmap32 display_;

  // Pen input
  void GestureStart(TShiftState Shift, int X, int Y, int pressure);
  void GestureMove(TShiftState Shift, int X, int Y, int pressure);
  void GestureEnd();
  // Shows the control's pointer of the current mode again.
  void RestorePointer();
  // The pen pointer 1-8 for the pen's colour and coverage; tints the coloured one.
  int PenCursor();
  // The smoothed stroke's segment xy0-xy1 on the display picture only.
  void DrawPreviewSegment();
  lumidraw::gfx::Point ErasePos;      // right press; x becomes -100000 once the pointer moves
  std::uint8_t EraseMMode = 0;        // mode to return to after a right-button erase
  int isErase = 0;                    // 0 none, 1 right pressed, 3 right pressed erasing
  lumidraw::gfx::Point PresPos;       // last position of the pressure simulation
  int LastP = 0;                      // simulated pressure
  int modePointer_ = 0;               // the control's pointer for the current mode
  lumidraw::gfx::Point strokeStart_;  // first point of the stroke being drawn

  // Stroke rendering
  // The segment xy0-xy1 at pressure p into the ink and coverage layers.
  void DrawSegment(int p);
  void SetSegmentPens(int inkWidth, int coverageWidth, int level);
  // The smoothed stroke xy at pen-up.
  void DrawSmoothed();
  void DrawNumberLabel(lumidraw::gfx::Point at, lumidraw::gfx::ColorRef fill,
                       lumidraw::gfx::ColorRef ink);
  lumidraw::gfx::Canvas inkCanvas_{PBitmap};
  lumidraw::gfx::Canvas coverageCanvas_{ABitmap};
  lumidraw::gfx::Canvas displayCanvas_{display_};
  std::vector<lumidraw::gfx::Point> controlPoints_;  // scratch of DrawSmoothed
  lumidraw::gfx::BlockGlyphSource blockGlyphs_;
  const lumidraw::gfx::GlyphSource* glyphs_ = &blockGlyphs_;

  // Lasso
  int Rx1 = 0;  // bounding rectangle of the lasso path, picture pixels
  int Rx2 = 0;
  int Ry1 = 0;
  int Ry2 = 0;
  lumidraw::gfx::Point Rgn0;  // drag start inside the box
  lumidraw::gfx::Point Rgn1;  // box position at the drag's start
  // The display canvas's pen for the path: grey, one pixel, copy.
  void SetLassoPathPen();
  // Moves the box by the pointer's travel from Rgn0 (box point X, Y), kept on the surface.
  void MoveSelectionBox(int X, int Y);

  // Shapes
  // An exclusive-or outline on the display picture: the gesture state it shows, its
  // points in control pixels and its pen width. Drawing it again removes it.
  struct TShapePreview {
    std::uint8_t kind = 0;
    lumidraw::gfx::Point s0, s1, s2;
    int width = 1;
  };
  // The outline for MouseF and xy0, xy1, xy2 at the current view.
  TShapePreview ShapePreviewNow() const;
  void DrawShapePreview(const TShapePreview& preview);
  void ShowShapePreview();
  void RemoveShapePreview();
  // A straight piece a-b into the layers and the list, as rainbow sub-segments or one
  // segment; composes nothing.
  void DrawShapePiece(lumidraw::gfx::Point a, lumidraw::gfx::Point b);
  void FinishLine();
  void FinishRectangle();
  void FinishArc();
  void FinishEllipse();
  lumidraw::gfx::Point xy2;                    // end point of an arc
  std::optional<TShapePreview> shapePreview_;  // the outline on the display picture
};
