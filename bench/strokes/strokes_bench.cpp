// Speed and memory of the stroke list and the undo history on a large drawing.
//
// The drawing has 1,000,000 entries: 10,000 strokes of 100 entries each (header, 98 points,
// end). A pen-up adds a stroke of 100 points (102 entries) and pushes an undo step.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <vector>

#include "strokes/pen_list.h"
#include "strokes/undo_history.h"

namespace lumidraw::strokes {
namespace {

constexpr int DrawingStrokes = 10'000;
constexpr int DrawingStrokeEntries = 100;
constexpr int PenUpPoints = 100;

void AddStroke(TPenList& list, int k, int points) {
  list.AddPenDn(k % 1920, k % 1080, FullPressure, 0x0000FF, 1, 2, 4, 1);
  for (int j = 1; j < points; ++j) list.AddXY((k + j) % 1920, (k + 2 * j) % 1080, 900);
  list.AddPenUp(StrokeEnd);
}

TPenList Drawing() {
  TPenList list;
  for (int k = 0; k < DrawingStrokes; ++k) AddStroke(list, k, DrawingStrokeEntries - 2);
  return list;
}

// What the overlay does after a capture: a history of one empty step and the drawing.
void StartHistory(const TPenList& list) {
  UndoInit();
  UndoPushClear(list);
  UndoPush(list);
}

double Seconds(std::chrono::steady_clock::time_point from,
               std::chrono::steady_clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

// Median and 90th percentile of the timed calls, in microseconds.
void ReportSamples(benchmark::State& state, std::vector<double>& seconds) {
  if (seconds.empty()) return;
  std::sort(seconds.begin(), seconds.end());
  state.counters["median_us"] = seconds[seconds.size() / 2] * 1e6;
  state.counters["p90_us"] = seconds[seconds.size() * 9 / 10] * 1e6;
}

// The hot path: one point per pen move.
void BM_AddXY(benchmark::State& state) {
  TPenList list;
  int k = 0;
  for (auto _ : state) {
    list.AddXY(k & 1023, k & 511, 900);
    if (++k == 1'000'000) {
      state.PauseTiming();
      list.Clear();
      k = 0;
      state.ResumeTiming();
    }
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AddXY);

// A pen-up on the large drawing: the stroke is drawn untimed, the undo step is timed.
void BM_UndoPush(benchmark::State& state) {
  TPenList list = Drawing();
  StartHistory(list);
  std::vector<double> samples;
  int k = 0;
  for (auto _ : state) {
    AddStroke(list, ++k, PenUpPoints);
    const auto start = std::chrono::steady_clock::now();
    UndoPush(list);
    const auto stop = std::chrono::steady_clock::now();
    samples.push_back(Seconds(start, stop));
    state.SetIterationTime(samples.back());
  }
  ReportSamples(state, samples);
  UndoDone();
}
BENCHMARK(BM_UndoPush)->UseManualTime()->Iterations(3000)->Unit(benchmark::kMicrosecond);

// Undo on the large drawing with a full history; at the oldest step the walk goes forward
// to the newest again, untimed.
void BM_UndoBack(benchmark::State& state) {
  TPenList list = Drawing();
  StartHistory(list);
  for (int k = 0; k < UndoSlots; ++k) {
    AddStroke(list, k, PenUpPoints);
    UndoPush(list);
  }
  std::vector<double> samples;
  for (auto _ : state) {
    if (!CanUndo()) {
      while (CanRedo()) UndoForward(list);
    }
    const auto start = std::chrono::steady_clock::now();
    UndoBack(list);
    const auto stop = std::chrono::steady_clock::now();
    samples.push_back(Seconds(start, stop));
    state.SetIterationTime(samples.back());
  }
  ReportSamples(state, samples);
  UndoDone();
}
BENCHMARK(BM_UndoBack)->UseManualTime()->Iterations(3000)->Unit(benchmark::kMicrosecond);

// Memory kept by the history over 300 pen-ups on the large drawing, against the size of
// the drawing before them. extra_bytes is the largest seen after any pen-up.
void BM_HistoryMemory(benchmark::State& state) {
  for (auto _ : state) {
    TPenList list = Drawing();
    const auto drawing = static_cast<double>(list.GetCount()) * sizeof(TPenE);
    StartHistory(list);
    std::size_t extra = 0;
    for (int k = 0; k < 300; ++k) {
      AddStroke(list, k, PenUpPoints);
      UndoPush(list);
      extra = std::max(extra, UndoExtraBytes(list));
    }
    state.counters["drawing_bytes"] = drawing;
    state.counters["extra_bytes"] = static_cast<double>(extra);
    state.counters["extra_per_drawing"] = static_cast<double>(extra) / drawing;
    UndoDone();
  }
}
BENCHMARK(BM_HistoryMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

// Replay reads every entry in order.
void BM_ReadAll(benchmark::State& state) {
  const TPenList list = Drawing();
  for (auto _ : state) {
    std::int64_t sum = 0;
    for (std::int32_t i = 0; i < list.GetCount(); ++i) sum += list.PenE(i).x;
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * list.GetCount());
}
BENCHMARK(BM_ReadAll)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumidraw::strokes

BENCHMARK_MAIN();
