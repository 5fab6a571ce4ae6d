#include "gfx/resample.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace lumidraw::gfx {
namespace {

Bitmap32 pattern(int w, int h) {
  Bitmap32 b(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      b.row(y)[x] = static_cast<Pixel32>(((x * 37 + y * 11) & 0xFF) | (((x * y) & 0xFF) << 8) |
                                         (((x ^ y) * 29 & 0xFF) << 16));
    }
  }
  return b;
}

// Plain, non-separable evaluation of the same filter in doubles.
Bitmap32 reference(const Bitmap32& src, int w, int h) {
  const auto kernel = [](double t) {
    if (t == 0) return 1.0;
    if (std::abs(t) >= 3) return 0.0;
    const double pt = std::numbers::pi * t;
    return 3 * std::sin(pt) * std::sin(pt / 3) / (pt * pt);
  };
  const auto weights = [&](int d, int src_len, int dst_len) {
    const double scale = static_cast<double>(src_len) / dst_len;
    const double stretch = std::max(scale, 1.0);
    const double centre = (d + 0.5) * scale - 0.5;
    std::vector<double> w(static_cast<std::size_t>(src_len), 0.0);
    double sum = 0;
    for (int i = static_cast<int>(std::floor(centre - 3 * stretch)) - 1;
         i <= static_cast<int>(std::ceil(centre + 3 * stretch)) + 1; ++i) {
      const double k = kernel((i - centre) / stretch);
      w[std::clamp(i, 0, src_len - 1)] += k;
      sum += k;
    }
    for (double& v : w) v /= sum;
    return w;
  };
  Bitmap32 out(w, h);
  for (int y = 0; y < h; ++y) {
    const auto wy = weights(y, src.height(), h);
    for (int x = 0; x < w; ++x) {
      const auto wx = weights(x, src.width(), w);
      Pixel32 p = 0;
      for (int c = 0; c < 3; ++c) {
        double acc = 0;
        for (int sy = 0; sy < src.height(); ++sy) {
          for (int sx = 0; sx < src.width(); ++sx) {
            acc += wy[sy] * wx[sx] * ((src.pixel(sx, sy) >> (8 * c)) & 0xFF);
          }
        }
        p |= static_cast<Pixel32>(std::clamp(std::lround(acc), 0L, 255L)) << (8 * c);
      }
      out.set_pixel(x, y, p);
    }
  }
  return out;
}

TEST(ResampleLanczos3, OwnSizeIsUnchangedAndPadIsCleared) {
  Bitmap32 src = pattern(9, 7);
  src.row(3)[4] |= 0xAB000000u;
  Bitmap32 want = src;
  want.row(3)[4] &= 0x00FFFFFFu;
  EXPECT_EQ(resample_lanczos3(src, 9, 7), want);
}

TEST(ResampleLanczos3, FlatPicturesStayFlat) {
  for (const Size to : {Size{5, 3}, Size{40, 17}, Size{1, 1}, Size{3, 50}}) {
    const Bitmap32 out = resample_lanczos3(Bitmap32(12, 9, 0x00FF80FFu), to.width, to.height);
    EXPECT_EQ(out, Bitmap32(to.width, to.height, 0x00FF80FFu)) << to.width << "x" << to.height;
  }
}

TEST(ResampleLanczos3, MatchesPlainReferenceWithinRounding) {
  const Bitmap32 src = pattern(11, 8);
  for (const Size to : {Size{23, 17}, Size{5, 3}, Size{11, 20}, Size{4, 8}}) {
    const Bitmap32 got = resample_lanczos3(src, to.width, to.height);
    const Bitmap32 want = reference(src, to.width, to.height);
    ASSERT_EQ(got.width(), to.width);
    ASSERT_EQ(got.height(), to.height);
    for (int y = 0; y < to.height; ++y) {
      for (int x = 0; x < to.width; ++x) {
        for (int c = 0; c < 3; ++c) {
          const int g = (got.pixel(x, y) >> (8 * c)) & 0xFF;
          const int w = (want.pixel(x, y) >> (8 * c)) & 0xFF;
          EXPECT_NEAR(g, w, 1) << to.width << "x" << to.height << " at " << x << "," << y;
        }
      }
    }
  }
}

TEST(ResampleLanczos3, EnlargedStepRingsAndKeepsItsLevelsAwayFromTheEdge) {
  Bitmap32 src(8, 1);
  for (int x = 4; x < 8; ++x) src.row(0)[x] = 0x00C8C8C8u;  // 0 | 200
  const Bitmap32 out = resample_lanczos3(src, 32, 1);
  const auto level = [&](int x) { return static_cast<int>(out.pixel(x, 0) & 0xFF); };
  EXPECT_EQ(level(0), 0);
  EXPECT_EQ(level(31), 200);
  // The step lies at destination 16: rising through it, overshooting after it
  // (the lobes of the kernel) and settling back to 200.
  EXPECT_LT(level(15), 100);
  EXPECT_GT(level(16), 100);
  EXPECT_GT(level(19), 215);
  EXPECT_LT(level(23), 200);
  EXPECT_EQ(level(12), 0);  // the undershoot before the step, clamped
  EXPECT_GT(level(8), 0);   // the outer lobe beyond it
}

// Thousands of taps per pixel, each weight below one unit: rounded one by one they
// lost most of the picture.
TEST(ResampleLanczos3, LargeShrinkKeepsTheMeanOfTheRow) {
  Bitmap32 stripes(20000, 1);
  for (int x = 0; x < 20000; x += 2) stripes.set_pixel(x, 0, 0xFFFFFF);
  // The middle pixel of each width (the edges repeat the first and last source pixel).
  for (const int width : {1, 3}) {
    const Pixel32 p = resample_lanczos3(stripes, width, 1).pixel(width / 2, 0);
    for (int c = 0; c < 3; ++c) {
      EXPECT_NEAR(static_cast<int>((p >> (8 * c)) & 0xFF), 0x7F, 3)
          << "width " << width << " channel " << c;
    }
  }
}

TEST(ResampleLanczos3, EmptyInOrOut) {
  EXPECT_TRUE(resample_lanczos3(Bitmap32(), 4, 4).empty());
  EXPECT_TRUE(resample_lanczos3(Bitmap32(3, 3), 0, 4).empty());
  EXPECT_TRUE(resample_lanczos3(Bitmap32(3, 3), 4, -1).empty());
}

}  // namespace
}  // namespace lumidraw::gfx
