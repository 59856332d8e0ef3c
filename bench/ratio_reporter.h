// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace quorvane::bench {

// Shows the usual console table and keeps, per benchmark, the fastest real
// time (in seconds) of its repetitions, so that each measured path can be set beside the
// floor that the same run measured. The fastest run is the least disturbed
// by whatever else the shared machine is doing.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
      const std::string name = run.benchmark_name();
      const double time = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
      auto [it, inserted] = fastest_.emplace(name, time);
      if (!inserted && time < it->second) it->second = time;
    }
  }

  // Prints "label: measured / floor = ratio (target at most limit)" and
  // returns whether the target holds; with no limit, only the ratio, for
  // information. Names are benchmark names as shown.
  bool PrintRatio(const std::string& label, const std::string& measured, const std::string& floor,
                  double limit = 0) const {
    const auto m = fastest_.find(measured);
    const auto f = fastest_.find(floor);
    if (m == fastest_.end() || f == fastest_.end()) return true;  // filtered out
    const double ratio = m->second / f->second;
    // Microseconds for system calls, milliseconds for whole walks and launches.
    const bool long_times = f->second >= 0.01;
    const double scale = long_times ? 1e3 : 1e6;
    const char* unit = long_times ? "ms" : "us";
    std::printf("%-46s %9.1f %s / %9.1f %s = %5.2fx", label.c_str(), m->second * scale, unit, f->second * scale, unit,
                ratio);
    if (limit <= 0) {
      std::printf("\n");
      return true;
    }
    std::printf("  (target <= %.2fx) %s\n", limit, ratio <= limit ? "ok" : "MISSED");
    return ratio <= limit;
  }

 private:
  std::map<std::string, double> fastest_;
};

}  // namespace quorvane::bench
