// Shared by the surface benchmarks: a host that asks nothing of a window, and a console
// report that ends with the ratio of each benchmark to its yardstick.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "surface/surface_host.h"

inline constexpr int kBenchWidth = 3840;
inline constexpr int kBenchHeight = 2160;

class TQuietHost : public TSurfaceHost {
 public:
  TClientSize ClientSize() const override { return {kBenchWidth, kBenchHeight}; }
  int DisplayBitsPerPixel() const override { return 32; }
  void RectChanged(const lumidraw::gfx::Rect&) override {}
  void ProcessMessages() override {}
  lumidraw::gfx::Point ScreenToControl(lumidraw::gfx::Point screen) const override {
    return screen;
  }
  void SelectionBoxChanged() override {}
  void SetPointer(int) override {}
  void HidePointer() override {}
  lumidraw::gfx::Bitmap32 PointerImage(int) const override {
    return lumidraw::gfx::Bitmap32(32, 32);
  }
  void SetPointerImage(int, const lumidraw::gfx::Bitmap32&) override {}
};

// Console output, then "ours / yardstick" for every pair whose runs both ran, in real
// and in CPU time (CPU time is the steadier figure on a busy machine). With
// repetitions the medians are compared.
class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  explicit TRatioReporter(std::vector<std::pair<std::string, std::string>> pairs)
      : pairs_(std::move(pairs)) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
      times_[run.run_name.str()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
    }
  }

  void PrintRatios() const {
    for (const auto& [ours, theirs] : pairs_) {
      const auto a = times_.find(ours);
      const auto b = times_.find(theirs);
      if (a == times_.end() || b == times_.end()) continue;
      std::printf("%s / %s = %.2f (real), %.2f (CPU)\n", ours.c_str(), theirs.c_str(),
                  a->second.first / b->second.first, a->second.second / b->second.second);
    }
  }

 private:
  std::vector<std::pair<std::string, std::string>> pairs_;
  std::map<std::string, std::pair<double, double>> times_;
};

// Runs the benchmarks with the ratio report.
inline int RunWithRatios(int argc, char** argv,
                         std::vector<std::pair<std::string, std::string>> pairs) {
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter(std::move(pairs));
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
