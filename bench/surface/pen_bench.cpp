// Speed of pen input and of replay on a 3840 x 2160 surface, each compared with cairo
// doing the same drawing in the same run (cairo serves only as a yardstick here):
//   - one pen move: pressure, the segment into both ink layers, composing and showing
//     its box, appending the point; against cairo stroking the same aliased,
//     round-capped segment into one 32-bit picture and composing its box;
//   - replay of 10,000 segments (100 random-walk strokes of 100 segments of 2-10
//     pixels) with the final composition; against cairo stroking the same strokes as
//     polylines and composing the whole picture.
// The ratios of the medians are printed at the end.

#include <benchmark/benchmark.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "bench_support.h"
#include "gfx/geometry.h"
#include "settings/settings_catalogue.h"
#include "strokes/pen_list.h"
#include "strokes/undo_history.h"
#include "surface/pen_image.h"

namespace {

using lumidraw::gfx::Bitmap32;
using lumidraw::gfx::Point;

constexpr int kWidth = kBenchWidth;
constexpr int kHeight = kBenchHeight;

Bitmap32 RandomPicture() {
  std::mt19937 random(1);
  Bitmap32 picture(kWidth, kHeight);
  for (auto& p : picture.pixels()) p = random() & 0xFFFFFF;
  return picture;
}

// A random walk of steps of 2 to 10 pixels that turns back at the picture's margin.
class TWalk {
 public:
  explicit TWalk(unsigned seed, Point start = {kWidth / 2, kHeight / 2})
      : random_(seed), at_(start) {}
  Point Next() {
    const double angle = angle_(random_);
    const double length = length_(random_);
    Point next{at_.x + static_cast<int>(std::lround(std::cos(angle) * length)),
               at_.y + static_cast<int>(std::lround(std::sin(angle) * length))};
    if (next.x < 40 || next.x >= kWidth - 40) next.x = at_.x - (next.x - at_.x);
    if (next.y < 40 || next.y >= kHeight - 40) next.y = at_.y - (next.y - at_.y);
    at_ = next;
    return at_;
  }

 private:
  std::mt19937 random_;
  std::uniform_real_distribution<double> angle_{0, 6.283185307179586};
  std::uniform_real_distribution<double> length_{2, 10};
  Point at_;
};

struct TSurface {
  explicit TSurface(int width) : image(host) {
    lumidraw::strokes::UndoInit();
    lumidraw::settings::PenPressure = false;
    lumidraw::settings::PenRevise = 0;
    image.BitmapLoad(RandomPicture(), true);
    image.isFixed = true;
    image.PenList = &list;
    image.DPenSet({0x0000FF, width, 1});
    image.SetMMode(2, true);
    image.BitmapDispAll();
  }
  TQuietHost host;
  TPenImage image;
  lumidraw::strokes::TPenList list;
};

// Arg: pen width.
void BM_PenMove(benchmark::State& state) {
  TSurface s(static_cast<int>(state.range(0)));
  TWalk walk(7);
  Point p = walk.Next();
  s.image.MouseDown(TMouseButton::mbLeft, 0, p.x, p.y);
  for (auto _ : state) {
    p = walk.Next();
    s.image.MouseMove(0, p.x, p.y);
  }
  s.image.MouseUp(TMouseButton::mbLeft, 0, p.x, p.y);
}
BENCHMARK(BM_PenMove)->ArgName("width")->Arg(4)->Arg(16)->Unit(benchmark::kMicrosecond);

// Cairo's ink and picture, and the background the ink is composed over.
struct TCairo {
  explicit TCairo(int width) {
    const Bitmap32 back = RandomPicture();
    background = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
    ink = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight);
    picture = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
    cairo_surface_flush(background);
    auto* data = cairo_image_surface_get_data(background);
    const int stride = cairo_image_surface_get_stride(background);
    for (int y = 0; y < kHeight; ++y) {
      const auto row = back.row(y);
      std::copy(row.begin(), row.end(), reinterpret_cast<std::uint32_t*>(data + y * stride));
    }
    cairo_surface_mark_dirty(background);
    inkCr = cairo_create(ink);
    cairo_set_antialias(inkCr, CAIRO_ANTIALIAS_NONE);
    cairo_set_line_cap(inkCr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(inkCr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(inkCr, width);
    cairo_set_source_rgb(inkCr, 1, 0, 0);
    pictureCr = cairo_create(picture);
    cairo_set_source_surface(pictureCr, background, 0, 0);
    cairo_paint(pictureCr);
    margin = width / 2 + 3;
  }
  ~TCairo() {
    cairo_destroy(pictureCr);
    cairo_destroy(inkCr);
    cairo_surface_destroy(picture);
    cairo_surface_destroy(ink);
    cairo_surface_destroy(background);
  }
  TCairo(const TCairo&) = delete;
  TCairo& operator=(const TCairo&) = delete;

  // Background, then the ink over it, within the box.
  void Compose(int left, int top, int right, int bottom) {
    cairo_rectangle(pictureCr, left - margin, top - margin, right - left + 2 * margin,
                    bottom - top + 2 * margin);
    cairo_clip(pictureCr);
    cairo_set_source_surface(pictureCr, background, 0, 0);
    cairo_paint(pictureCr);
    cairo_set_source_surface(pictureCr, ink, 0, 0);
    cairo_paint(pictureCr);
    cairo_reset_clip(pictureCr);
  }

  cairo_surface_t* background = nullptr;
  cairo_surface_t* ink = nullptr;
  cairo_surface_t* picture = nullptr;
  cairo_t* inkCr = nullptr;
  cairo_t* pictureCr = nullptr;
  int margin = 0;
};

void BM_CairoSegment(benchmark::State& state) {
  TCairo c(static_cast<int>(state.range(0)));
  TWalk walk(7);
  Point from = walk.Next();
  for (auto _ : state) {
    const Point to = walk.Next();
    cairo_move_to(c.inkCr, from.x + 0.5, from.y + 0.5);
    cairo_line_to(c.inkCr, to.x + 0.5, to.y + 0.5);
    cairo_stroke(c.inkCr);
    c.Compose(std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x),
              std::max(from.y, to.y));
    from = to;
  }
  cairo_surface_flush(c.picture);
}
BENCHMARK(BM_CairoSegment)->ArgName("width")->Arg(4)->Arg(16)->Unit(benchmark::kMicrosecond);

// 100 strokes of 100 segments, each a random walk from its own random start.
std::vector<std::vector<Point>> ReplayStrokes() {
  std::mt19937 random(11);
  std::uniform_int_distribution<int> x(200, kWidth - 200);
  std::uniform_int_distribution<int> y(200, kHeight - 200);
  std::vector<std::vector<Point>> strokes;
  for (int s = 0; s < 100; ++s) {
    TWalk walk(static_cast<unsigned>(s), {x(random), y(random)});
    std::vector<Point> stroke{walk.Next()};
    for (int i = 0; i < 100; ++i) stroke.push_back(walk.Next());
    strokes.push_back(std::move(stroke));
  }
  return strokes;
}

// Arg: pen width.
void BM_Replay(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0));
  TSurface s(width);
  for (const auto& stroke : ReplayStrokes()) {
    s.list.AddPenDn(stroke[0].x, stroke[0].y, 1024, 0x0000FF, 0, 2, width, 255);
    for (std::size_t i = 1; i < stroke.size(); ++i) s.list.AddXY(stroke[i].x, stroke[i].y, 1024);
    s.list.AddPenUp(lumidraw::strokes::StrokeEnd);
  }
  for (auto _ : state) {
    // The layers keep the previous replay's ink: replay draws the same over it.
    s.image.PenListPlay(false);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Replay)->ArgName("width")->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);

void BM_CairoReplay(benchmark::State& state) {
  TCairo c(static_cast<int>(state.range(0)));
  const auto strokes = ReplayStrokes();
  for (auto _ : state) {
    for (const auto& stroke : strokes) {
      cairo_move_to(c.inkCr, stroke[0].x + 0.5, stroke[0].y + 0.5);
      for (std::size_t i = 1; i < stroke.size(); ++i) {
        cairo_line_to(c.inkCr, stroke[i].x + 0.5, stroke[i].y + 0.5);
      }
      cairo_stroke(c.inkCr);
    }
    c.Compose(c.margin, c.margin, kWidth - c.margin, kHeight - c.margin);
    cairo_surface_flush(c.picture);
  }
}
BENCHMARK(BM_CairoReplay)->ArgName("width")->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return RunWithRatios(argc, argv,
                       {{"BM_PenMove/width:4", "BM_CairoSegment/width:4"},
                        {"BM_PenMove/width:16", "BM_CairoSegment/width:16"},
                        {"BM_Replay/width:4", "BM_CairoReplay/width:4"},
                        {"BM_Replay/width:16", "BM_CairoReplay/width:16"}});
}
