#pragma once
// Reaches the surface's private layers and operations for tests.

#include <vector>

#include "surface/pen_image.h"

struct TPenImageProbe {
  static lumidraw::gfx::Bitmap32& Ink(TPenImage& s) { return s.PBitmap; }
  static lumidraw::gfx::Bitmap8& Coverage(TPenImage& s) { return s.ABitmap; }
  static lumidraw::gfx::Bitmap32& Background(TPenImage& s) { return s.FBBitmap; }
  static const lumidraw::gfx::Bitmap32& Picture(const TPenImage& s) { return s.Bitmap; }
  static bool Is256(const TPenImage& s) { return s.is256; }
  static void SetIs256(TPenImage& s, bool v) { s.is256 = v; }
  static void SetKernel(TPenImage& s, lumidraw::surface::ComposeKernel k) { s.kernel_ = k; }
  static void SetSegment(TPenImage& s, lumidraw::gfx::Point a, lumidraw::gfx::Point b) {
    s.xy0 = a;
    s.xy1 = b;
  }
  static std::vector<lumidraw::gfx::Point>& Points(TPenImage& s) { return s.xy; }
  static lumidraw::surface::ComposeBox ComposeRect(TPenImage& s, bool fromSegment) {
    return s.ComposeRect(fromSegment);
  }
  static void ShowRect(TPenImage& s, const lumidraw::surface::ComposeBox& box) { s.ShowRect(box); }
  static void ComposeAll(TPenImage& s) { s.ComposeAll(); }
  static void ClearInk(TPenImage& s) { s.ClearInk(); }
  static lumidraw::gfx::Point ScreenToPicture(const TPenImage& s, int X, int Y) {
    return s.ScreenToPicture(X, Y);
  }
  // Pen input, stroke rendering, replay and eraser.
  static int LastP(const TPenImage& s) { return s.LastP; }
  static int IsErase(const TPenImage& s) { return s.isErase; }
  static void DrawSegment(TPenImage& s, int p) { s.DrawSegment(p); }
  static void DrawSmoothed(TPenImage& s) { s.DrawSmoothed(); }
  // Shapes.
  static void RemoveShapePreview(TPenImage& s) { s.RemoveShapePreview(); }
  // Row counts of the four row tables: ink, coverage, background, picture.
  static std::vector<std::size_t> RowTableSizes(const TPenImage& s) {
    return {s.b1.size(), s.b2.size(), s.b3.size(), s.b4.size()};
  }
};
