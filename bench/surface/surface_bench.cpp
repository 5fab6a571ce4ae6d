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

#include "surface/pen_image.h"
#include "surface/pen_image_probe.h"

namespace {

using lumidraw::gfx::Bitmap32;
using lumidraw::surface::ComposeKernel;
using P = TPenImageProbe;

constexpr int kWidth = 3840;
constexpr int kHeight = 2160;

class TQuietHost : public TSurfaceHost {
 public:
  TClientSize ClientSize() const override { return {kWidth, kHeight}; }
  int DisplayBitsPerPixel() const override { return 32; }
  void RectChanged(const lumidraw::gfx::Rect&) override {}
  void ProcessMessages() override {}
  lumidraw::gfx::Point ScreenToControl(lumidraw::gfx::Point screen) const override {
    return screen;
  }
  void SelectionBoxChanged() override {}
  void SetPointer(int) override {}
  void HidePointer() override {}
  Bitmap32 PointerImage(int) const override { return Bitmap32(32, 32); }
  void SetPointerImage(int, const Bitmap32&) override {}
};

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

// Console output plus the ratio of every ComposeAll run to the copy floor, in real and
// in CPU time (the CPU time is the steadier figure on a busy machine). With
// repetitions the medians are compared.
class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
      times_[run.run_name.str()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
    }
  }
  void PrintRatios() const {
    const auto floor = times_.find("BM_CopyFloor");
    if (floor == times_.end()) return;
    for (const auto& [name, time] : times_) {
      if (name.rfind("BM_ComposeAll", 0) != 0) continue;
      std::printf("%s / BM_CopyFloor = %.2f (real), %.2f (CPU)\n", name.c_str(),
                  time.first / floor->second.first, time.second / floor->second.second);
    }
  }

 private:
  std::map<std::string, std::pair<double, double>> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
