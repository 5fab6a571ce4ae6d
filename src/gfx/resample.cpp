#include "gfx/resample.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace lumidraw::gfx {
namespace {

constexpr int kWeightBits = 14;
constexpr std::int32_t kWeightOne = 1 << kWeightBits;
// The horizontal pass keeps 6 fraction bits (values 64 x channel) so the vertical
// pass filters the ringing of the first one instead of its clamped result.
constexpr int kMidShift = kWeightBits - 6;

double lanczos3(double t) {
  if (t == 0) return 1;
  if (std::abs(t) >= 3) return 0;
  const double pt = std::numbers::pi * t;
  return 3 * std::sin(pt) * std::sin(pt / 3) / (pt * pt);
}

// Source taps of every destination position along one axis.
struct Taps {
  int count = 0;                     // taps per destination position
  std::vector<int> first;            // first source index per position
  std::vector<std::int32_t> weight;  // count weights per position, summing to kWeightOne
  std::vector<int> index;            // count source indexes per position, edges repeated
};

Taps make_taps(int src_len, int dst_len) {
  const double scale = static_cast<double>(src_len) / dst_len;
  const double stretch = std::max(scale, 1.0);
  const double support = 3 * stretch;
  Taps taps;
  taps.count = static_cast<int>(std::ceil(support)) * 2 + 1;
  std::vector<double> w(static_cast<std::size_t>(taps.count));
  for (int d = 0; d < dst_len; ++d) {
    const double centre = (d + 0.5) * scale - 0.5;
    const int first = static_cast<int>(std::floor(centre - support)) + 1;
    double sum = 0;
    for (int k = 0; k < taps.count; ++k) {
      w[k] = lanczos3((first + k - centre) / stretch);
      sum += w[k];
    }
    // Each weight is the step between rounded running sums, so rounding errors do not
    // add up over many taps (a large shrink has thousands, each below one unit) and
    // the weights sum to kWeightOne exactly.
    double running = 0;
    std::int32_t previous = 0;
    for (int k = 0; k < taps.count; ++k) {
      running += w[k];
      const std::int32_t next =
          k + 1 == taps.count ? kWeightOne
                              : static_cast<std::int32_t>(std::lround(running / sum * kWeightOne));
      taps.weight.push_back(next - previous);
      taps.index.push_back(std::clamp(first + k, 0, src_len - 1));
      previous = next;
    }
  }
  return taps;
}

std::uint8_t channel(Pixel32 p, int c) {
  return static_cast<std::uint8_t>(p >> (8 * c));
}

}  // namespace

Bitmap32 resample_lanczos3(const Bitmap32& src, int width, int height) {
  if (src.empty() || width <= 0 || height <= 0) return {};
  const Taps across = make_taps(src.width(), width);
  const Taps down = make_taps(src.height(), height);

  // Horizontal pass: src.height() rows of `width` pixels, three channels, x 64.
  std::vector<std::int16_t> mid(static_cast<std::size_t>(src.height()) * width * 3);
  for (int y = 0; y < src.height(); ++y) {
    const auto in = src.row(y);
    std::int16_t* out = mid.data() + static_cast<std::size_t>(y) * width * 3;
    for (int x = 0; x < width; ++x) {
      const std::size_t base = static_cast<std::size_t>(x) * across.count;
      for (int c = 0; c < 3; ++c) {
        std::int32_t acc = 0;
        for (int k = 0; k < across.count; ++k) {
          acc += across.weight[base + k] * channel(in[across.index[base + k]], c);
        }
        const std::int32_t v = (acc + (1 << (kMidShift - 1))) >> kMidShift;
        out[3 * x + c] = static_cast<std::int16_t>(std::clamp(v, -32768, 32767));
      }
    }
  }

  // Vertical pass, a whole row at a time so the taps read rows of `mid` in order.
  Bitmap32 dst(width, height);
  const int shift = kWeightBits + (kWeightBits - kMidShift);
  std::vector<std::int32_t> acc(static_cast<std::size_t>(width) * 3);
  for (int y = 0; y < height; ++y) {
    std::fill(acc.begin(), acc.end(), 0);
    const std::size_t base = static_cast<std::size_t>(y) * down.count;
    for (int k = 0; k < down.count; ++k) {
      const std::int32_t w = down.weight[base + k];
      if (w == 0) continue;
      const std::int16_t* in =
          mid.data() + static_cast<std::size_t>(down.index[base + k]) * width * 3;
      for (std::size_t i = 0; i < acc.size(); ++i) acc[i] += w * in[i];
    }
    auto out = dst.row(y);
    for (int x = 0; x < width; ++x) {
      Pixel32 p = 0;
      for (int c = 0; c < 3; ++c) {
        const std::int32_t v =
            (acc[3 * static_cast<std::size_t>(x) + c] + (1 << (shift - 1))) >> shift;
        p |= static_cast<Pixel32>(std::clamp(v, 0, 255)) << (8 * c);
      }
      out[x] = p;
    }
  }
  return dst;
}

}  // namespace lumidraw::gfx
