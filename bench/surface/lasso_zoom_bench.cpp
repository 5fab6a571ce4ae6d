// Speed of the lasso and of zooming on a 3840 x 2160 surface holding a drawing of
// 10,000 segments (500 strokes of 20 segments, width 4, spread over the picture).

#include <benchmark/benchmark.h>

#include <random>

#include "bench_support.h"
#include "settings/settings_catalogue.h"
#include "strokes/pen_list.h"
#include "strokes/undo_history.h"
#include "surface/pen_image.h"

namespace {

using lumidraw::gfx::Bitmap32;

constexpr int kWidth = kBenchWidth;
constexpr int kHeight = kBenchHeight;
constexpr int kStrokes = 500;
constexpr int kSegments = 20;

// The drawing in the list and in the layers, shown at scale 1, in lasso mode.
struct TDrawing {
  TDrawing() : image(host) {
    lumidraw::strokes::UndoInit();
    lumidraw::settings::PenPressure = false;
    lumidraw::settings::Zoom = 1.15;
    std::mt19937 random(3);
    Bitmap32 background(kWidth, kHeight);
    for (auto& p : background.pixels()) p = random() & 0xFFFFFF;
    image.BitmapLoad(background, true);
    image.isFixed = true;
    image.PenList = &list;
    std::uniform_int_distribution<int> x(100, kWidth - 300);
    std::uniform_int_distribution<int> y(100, kHeight - 300);
    std::uniform_int_distribution<int> step(-10, 10);
    for (int s = 0; s < kStrokes; ++s) {
      int px = x(random);
      int py = y(random);
      list.AddPenDn(px, py, 1024, 0x0000FF, 0, 2, 4, 255);
      for (int i = 0; i < kSegments; ++i) {
        px += step(random);
        py += step(random);
        list.AddXY(px, py, 1024);
      }
      list.AddPenUp(lumidraw::strokes::StrokeEnd);
    }
    image.PenListPlay(false);
    image.SetMMode(4, true);
  }

  // A lasso around the left quarter of the picture: about a quarter of the strokes.
  void Lasso() {
    image.MouseDown(TMouseButton::mbLeft, 0, 0, 0);
    image.MouseMove(0, kWidth / 4, 0);
    image.MouseMove(0, kWidth / 4, kHeight - 1);
    image.MouseMove(0, 0, kHeight - 1);
    image.MouseUp(TMouseButton::mbLeft, 0, 0, kHeight - 1);
  }

  TQuietHost host;
  TPenImage image;
  lumidraw::strokes::TPenList list;
};

// The whole gesture: the press replays the list (putting back the previous selection),
// the release selects, clears the ink and replays again with the selection box.
void BM_LassoGesture(benchmark::State& state) {
  TDrawing d;
  for (auto _ : state) {
    d.Lasso();
    benchmark::ClobberMemory();
  }
  state.counters["selected"] = d.list.Selected();
}
BENCHMARK(BM_LassoGesture)->Unit(benchmark::kMillisecond);

// The release alone: the selection walk, clearing the ink and the rebuild.
void BM_LassoSelectAndRebuild(benchmark::State& state) {
  TDrawing d;
  for (auto _ : state) {
    state.PauseTiming();
    d.list.SelectNone();
    d.image.MouseDown(TMouseButton::mbLeft, 0, 0, 0);
    d.image.MouseMove(0, kWidth / 4, kHeight - 1);
    state.ResumeTiming();
    d.image.MouseUp(TMouseButton::mbLeft, 0, kWidth / 4, kHeight - 1);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_LassoSelectAndRebuild)->Unit(benchmark::kMillisecond);

// One zoom step with its repaint, in and out by turns about the centre.
void BM_ZoomStep(benchmark::State& state) {
  TDrawing d;
  d.image.SetMMode(2, true);
  d.image.BitmapDispAll();
  std::uint8_t direction = 1;
  for (auto _ : state) {
    d.image.Expand({kWidth / 2, kHeight / 2}, direction);
    direction = direction == 1 ? 0 : 1;
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ZoomStep)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
