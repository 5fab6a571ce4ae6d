// Speed of composing and showing the picture on a 3840 x 2160 surface.
//
// ComposeAll is compared with the copy floor: copying a picture of the same size,
// measured in the same run. The ratio is printed at the end.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "bench_support.h"
#include "surface/pen_image.h"
#include "surface/pen_image_probe.h"

namespace {

using lumidraw::gfx::Bitmap32;
using lumidraw::surface::ComposeKernel;
using P = TPenImageProbe;

constexpr int kWidth = kBenchWidth;
constexpr int kHeight = kBenchHeight;

enum Content { kNoInkAnywhere = 0, kInkEverywhere = 1, kStrokes = 2 };

// A 4K surface with a random background and, by `content`, no ink, ink with random
// coverage on every pixel, or ink in random horizontal bands (strokes).
struct TSurface {
  explicit TSurface(int content) : image(host) {
    std::mt19937 random(1);
    Bitmap32 background(kWidth, kHeight);
    for (auto& p : background.pixels()) p = random() & 0xFFFFFF;
    image.BitmapLoad(background, true);
    auto& ink = P::Ink(image);
    auto& coverage = P::Coverage(image);
    if (content == kInkEverywhere) {
      for (auto& p : ink.pixels()) p = random() & 0xFFFFFF;
      for (auto& c : coverage.pixels()) c = static_cast<std::uint8_t>(random());
    } else if (content == kStrokes) {
      for (int y = 0; y < kHeight; ++y) {
        if ((y / 16) % 3 != 0) continue;
        for (int x = 0; x < kWidth; ++x) ink.set_pixel(x, y, 0x0000FF);
        for (int j = 0; j < 2; ++j) {
          for (auto& c : coverage.row(2 * y + 1 + j)) c = 255;
        }
      }
    }
    image.isFixed = true;
  }
  TQuietHost host;
  TPenImage image;
};

void BM_CopyFloor(benchmark::State& state) {
  Bitmap32 from(kWidth, kHeight, 0x123456);
  Bitmap32 to(kWidth, kHeight);
  for (auto _ : state) {
    std::copy(from.pixels().begin(), from.pixels().end(), to.pixels().begin());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 4);
}
BENCHMARK(BM_CopyFloor)->Unit(benchmark::kMillisecond);

// Args: content, kernel (0 portable, 1 SSE2, 2 AVX2).
void BM_ComposeAll(benchmark::State& state) {
  TSurface s(static_cast<int>(state.range(0)));
  const auto kernel = static_cast<ComposeKernel>(state.range(1));
  if (!lumidraw::surface::has_kernel(kernel)) {
    state.SkipWithError("kernel not available here");
    return;
  }
  P::SetKernel(s.image, kernel);
  for (auto _ : state) {
    P::ComposeAll(s.image);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ComposeAll)
    ->ArgNames({"content", "kernel"})
    ->Args({kNoInkAnywhere, 2})
    ->Args({kInkEverywhere, 2})
    ->Args({kStrokes, 2})
    ->Args({kInkEverywhere, 1})
    ->Args({kInkEverywhere, 0})
    ->Unit(benchmark::kMillisecond);

// One pen segment of a few pixels, as a pen move draws it: compose its box and show
// it at scale 1. Arg: pen width.
void BM_ComposeShowSegment(benchmark::State& state) {
  TSurface s(kInkEverywhere);
  s.image.PenWidth = static_cast<int>(state.range(0));
  s.image.BitmapDispAll();
  int step = 0;
  for (auto _ : state) {
    // Walk along so that every segment is a fresh part of the picture.
    const int x = 500 + (step % 2000);
    const int y = 400 + (step / 2000 % 1000);
    ++step;
    P::SetSegment(s.image, {x, y}, {x + 5, y + 3});
    P::ShowRect(s.image, P::ComposeRect(s.image, true));
  }
}
BENCHMARK(BM_ComposeShowSegment)->ArgName("width")->Arg(4)->Arg(16)->Unit(benchmark::kMicrosecond);

// Arg: scale in tenths.
void BM_BitmapDispAll(benchmark::State& state) {
  TSurface s(kStrokes);
  s.image.bai = static_cast<double>(state.range(0)) / 10;
  for (auto _ : state) {
    s.image.BitmapDispAll();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_BitmapDispAll)->ArgName("bai_x10")->Arg(10)->Arg(23)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::pair<std::string, std::string>> pairs;
  for (const char* content : {"0", "1", "2"})
    for (const char* kernel : {"0", "1", "2"})
      pairs.emplace_back(std::string("BM_ComposeAll/content:") + content + "/kernel:" + kernel,
                         "BM_CopyFloor");
  return RunWithRatios(argc, argv, std::move(pairs));
}
