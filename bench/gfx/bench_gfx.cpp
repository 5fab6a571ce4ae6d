// Cost of one pen move: a short round-capped segment into the 32-bit ink layer of a
// 3840 x 2160 picture and into its double-resolution 8-bit coverage layer (aim: about
// 1 us for both at widths 4 to 16); also a smoothed stroke at pen-up and the
// resampling of an opened picture.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "gfx/bitmap.h"
#include "gfx/canvas.h"
#include "gfx/resample.h"

namespace lumidraw::gfx {
namespace {

constexpr int kWidth = 3840;
constexpr int kHeight = 2160;

// A stroke as a hand writes it: each pen move goes on from the end of the one before
// by up to 6 pixels per axis, turning back at the picture's edges.
std::vector<std::pair<Point, Point>> segments() {
  std::mt19937 rng(3);
  std::uniform_int_distribution<int> step(-6, 6);
  std::vector<std::pair<Point, Point>> out(4096);
  Point at{kWidth / 2, kHeight / 2};
  for (auto& [a, b] : out) {
    a = at;
    b = {std::clamp(a.x + step(rng), 40, kWidth - 40),
         std::clamp(a.y + step(rng), 40, kHeight - 40)};
    at = b;
  }
  return out;
}

// The pens a pen move of width w uses: the ink one pixel wider, the coverage at double
// resolution, merged into what lies there.
void SetInkPen(Canvas& canvas, int w) {
  canvas.pen().color = Color::rgb(0x3050F0);
  canvas.pen().width = w + 1;
}

void SetCoveragePen(Canvas& canvas, int w) {
  canvas.pen().color = Color::index(0xC0);
  canvas.pen().width = 2 * w - 1;
  canvas.pen().mode = PenMode::kMerge;
}

Point Doubled(Point p) {
  return {2 * p.x + 1, 2 * p.y + 1};
}

void BM_InkSegment(benchmark::State& state) {
  static Bitmap32 ink(kWidth, kHeight, 0x7F7F7F);
  Canvas canvas(ink);
  SetInkPen(canvas, static_cast<int>(state.range(0)));
  const auto moves = segments();
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& [a, b] = moves[i++ & 4095];
    canvas.move_to(a);
    canvas.line_to(b);
  }
  benchmark::DoNotOptimize(ink.pixels().data());
}

void BM_CoverageSegment(benchmark::State& state) {
  static Bitmap8 coverage(2 * kWidth + 2, 2 * kHeight + 2);
  Canvas canvas(coverage);
  SetCoveragePen(canvas, static_cast<int>(state.range(0)));
  const auto moves = segments();
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& [a, b] = moves[i++ & 4095];
    canvas.move_to(Doubled(a));
    canvas.line_to(Doubled(b));
  }
  benchmark::DoNotOptimize(coverage.pixels().data());
}

// Both layers, as every pen move draws them.
void BM_PenMove(benchmark::State& state) {
  static Bitmap32 ink(kWidth, kHeight, 0x7F7F7F);
  static Bitmap8 coverage(2 * kWidth + 2, 2 * kHeight + 2);
  const int w = static_cast<int>(state.range(0));
  Canvas ink_canvas(ink);
  SetInkPen(ink_canvas, w);
  Canvas coverage_canvas(coverage);
  SetCoveragePen(coverage_canvas, w);
  const auto moves = segments();
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& [a, b] = moves[i++ & 4095];
    ink_canvas.move_to(a);
    ink_canvas.line_to(b);
    coverage_canvas.move_to(Doubled(a));
    coverage_canvas.line_to(Doubled(b));
  }
  benchmark::DoNotOptimize(ink.pixels().data());
  benchmark::DoNotOptimize(coverage.pixels().data());
}

// A smoothed stroke at pen-up: a chain of 100 Bezier pieces stroked as one figure
// into the coverage layer, overlapping pieces merged first.
void BM_SmoothedStroke(benchmark::State& state) {
  static Bitmap8 coverage(2 * kWidth + 2, 2 * kHeight + 2);
  Canvas canvas(coverage);
  SetCoveragePen(canvas, static_cast<int>(state.range(0)));
  const auto moves = segments();
  std::vector<Point> points;
  for (std::size_t i = 0; i < 301; ++i) points.push_back(Doubled(moves[4 * i].first));
  for (auto _ : state) canvas.poly_bezier(points);
  benchmark::DoNotOptimize(coverage.pixels().data());
}

// An opened 1920 x 1080 picture stretched to a 2560 x 1440 work area.
void BM_ResampleLanczos3(benchmark::State& state) {
  Bitmap32 picture(1920, 1080);
  for (std::size_t i = 0; i < picture.pixels().size(); ++i) {
    picture.pixels()[i] = static_cast<Pixel32>(i * 2654435761u) & 0xFFFFFFu;
  }
  for (auto _ : state) benchmark::DoNotOptimize(resample_lanczos3(picture, 2560, 1440));
}

BENCHMARK(BM_InkSegment)->Arg(4)->Arg(16);
BENCHMARK(BM_CoverageSegment)->Arg(4)->Arg(16);
BENCHMARK(BM_PenMove)->Arg(4)->Arg(16);
BENCHMARK(BM_SmoothedStroke)->Arg(4)->Arg(16)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ResampleLanczos3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumidraw::gfx

BENCHMARK_MAIN();
