#include "surface/composition.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "reference_composition.h"

namespace {

using lumidraw::gfx::Bitmap32;
using lumidraw::gfx::Bitmap8;
using lumidraw::gfx::Pixel32;
using lumidraw::gfx::Rect;
using lumidraw::surface::ComposeKernel;
using lumidraw::surface::ComposeOptions;
using lumidraw::surface::LayerRows;

// Four layers of a w x h picture with their row tables.
struct TLayers {
  TLayers(int w, int h)
      : ink(w, h), background(w, h), picture(w, h), coverage(2 * w + 2, 2 * h + 2) {
    for (int y = 0; y < h; ++y) {
      inkRows.push_back(ink.row(y).data());
      backgroundRows.push_back(background.row(y).data());
      pictureRows.push_back(picture.row(y).data());
    }
    for (int y = 0; y < coverage.height(); ++y) coverageRows.push_back(coverage.row(y).data());
  }
  LayerRows Rows() const {
    return {inkRows.data(), coverageRows.data(), backgroundRows.data(), pictureRows.data()};
  }

  Bitmap32 ink;
  Bitmap32 background;
  Bitmap32 picture;
  Bitmap8 coverage;
  std::vector<const Pixel32*> inkRows;
  std::vector<const std::uint8_t*> coverageRows;
  std::vector<const Pixel32*> backgroundRows;
  std::vector<Pixel32*> pictureRows;
};

std::vector<ComposeKernel> Kernels() {
  std::vector<ComposeKernel> kernels;
  for (const ComposeKernel k :
       {ComposeKernel::portable, ComposeKernel::sse2, ComposeKernel::avx2}) {
    if (lumidraw::surface::has_kernel(k)) kernels.push_back(k);
  }
  return kernels;
}

// One pixel by the rule, worked out by hand. The coverage around every pixel of a
// 16 x 1 picture is the same: row j of the 3 x 3 neighbourhood holds `even[j]` in
// its outer columns and `odd[j]` in the middle one, so the weighted sum is
// sum_j (1, 2, 1)[j] * (2 even[j] + 2 odd[j]).
struct TPixelCase {
  const char* name;
  Pixel32 P;
  Pixel32 B;
  std::uint8_t even[3];
  std::uint8_t odd[3];
  bool is256;
  Pixel32 expected;
};

const TPixelCase kPixelCases[] = {
    // a = 255: each channel (P * 255) >> 8, one below for the bright ones.
    {"full coverage", 0xFF8040, 0x204060, {255, 255, 255}, {255, 255, 255}, false, 0xFE7F3F},
    // centre 128 only: S = 2 * 2 * 128 = 512, a = 32.
    {"partial coverage", 0xFF8040, 0x204060, {0, 0, 0}, {0, 128, 0}, false, 0x3B475B},
    // top corners 255 only: S = 1 * 2 * 255 = 510, a = 31.
    {"corner weights", 0xFF8040, 0x204060, {255, 0, 0}, {0, 0, 0}, false, 0x3A475B},
    // a = 0 still blends: (B * 255) >> 8.
    {"ink without coverage", 0xFF8040, 0x204060, {0, 0, 0}, {0, 0, 0}, false, 0x1F3F5F},
    {"no ink", 0x7F7F7F, 0x204060, {255, 255, 255}, {255, 255, 255}, false, 0x204060},
    {"no ink, pad byte set",
     0xAB7F7F7F,
     0x204060,
     {255, 255, 255},
     {255, 255, 255},
     false,
     0x204060},
    {"next to the key", 0x7F7F7E, 0x204060, {255, 255, 255}, {255, 255, 255}, false, 0x7E7E7D},
    {"256 colours, ink", 0xFF8040, 0x204060, {0, 0, 0}, {0, 0, 0}, true, 0xFF8040},
    {"256 colours, no ink", 0x7F7F7F, 0x204060, {255, 255, 255}, {255, 255, 255}, true, 0x204060},
};

TEST(Composition, OnePixelFollowsTheRule) {
  for (const TPixelCase& c : kPixelCases) {
    for (const ComposeKernel kernel : Kernels()) {
      for (const bool stream : {false, true}) {
        TLayers layers(16, 1);
        layers.ink.fill(c.P);
        layers.background.fill(c.B);
        for (int j = 0; j < 3; ++j) {
          for (int x = 0; x < layers.coverage.width(); ++x) {
            layers.coverage.set_pixel(x, j, x % 2 == 0 ? c.even[j] : c.odd[j]);
          }
        }
        lumidraw::surface::compose_pixels(layers.Rows(), Rect{0, 0, 16, 1},
                                          ComposeOptions{c.is256, kernel, stream});
        for (int x = 0; x < 16; ++x) {
          ASSERT_EQ(layers.picture.pixel(x, 0), c.expected)
              << c.name << " x " << x << " kernel " << static_cast<int>(kernel) << " stream "
              << stream;
        }
      }
    }
  }
}

// Random layers, with a third of the ink being the no-ink key (some with the pad byte
// set), composed over sub-rectangles of every alignment: every kernel matches the
// reference on every pixel and leaves the pixels outside the rectangle alone.
TEST(Composition, KernelsMatchTheReferenceOnRandomLayers) {
  std::mt19937 random(20261211);
  const int w = 45;
  const int h = 13;
  TLayers layers(w, h);
  for (auto& p : layers.ink.pixels()) {
    const std::uint32_t r = random();
    p = r % 3 == 0 ? (0x7F7F7Fu | (r & 0x01000000u)) : r;
  }
  for (auto& p : layers.background.pixels()) p = random();
  for (auto& c : layers.coverage.pixels()) {
    // Many full and empty coverage values, as strokes make them.
    const std::uint32_t r = random() % 4;
    c = r == 0 ? 0 : r == 1 ? 255 : static_cast<std::uint8_t>(random());
  }
  // Widths 45, 43, 17, 12, 8 and 1: whole vectors, overlapping last vectors, rows shorter
  // than one wide vector, single pixels.
  const Rect rects[] = {{0, 0, w, h},   {1, 2, 44, 13}, {3, 0, 20, 5},
                        {30, 2, 42, 9}, {2, 3, 10, 4},  {7, 4, 8, 5}};
  for (const bool is256 : {false, true}) {
    for (const ComposeKernel kernel : Kernels()) {
      for (const bool stream : {false, true}) {
        for (const Rect& r : rects) {
          layers.picture.fill(0x12345678);
          lumidraw::surface::compose_pixels(layers.Rows(), r,
                                            ComposeOptions{is256, kernel, stream});
          for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
              const Pixel32 expected =
                  r.contains({x, y})
                      ? ReferencePixel(layers.ink.pixel(x, y), layers.background.pixel(x, y),
                                       layers.coverage, x, y, is256)
                      : 0x12345678;
              ASSERT_EQ(layers.picture.pixel(x, y), expected)
                  << "at " << x << "," << y << " is256 " << is256 << " kernel "
                  << static_cast<int>(kernel) << " stream " << stream << " rect " << r.left << ","
                  << r.top << "," << r.right << "," << r.bottom;
            }
          }
        }
      }
    }
  }
}

}  // namespace
