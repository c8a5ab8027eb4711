#include "recording_reporter.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>

namespace kinemora::bench {

namespace {

std::string keyOf(const benchmark::BenchmarkReporter::Run& run) {
  const std::string& args = run.run_name.args;
  return run.run_name.function_name + (args.empty() ? "" : "/" + args);
}

double secondsPer(benchmark::TimeUnit unit) {
  switch (unit) {
    case benchmark::kNanosecond: return 1e-9;
    case benchmark::kMicrosecond: return 1e-6;
    case benchmark::kMillisecond: return 1e-3;
    default: return 1.0;
  }
}

}  // namespace

RecordingReporter::RecordingReporter()
    : ConsoleReporter(::isatty(::fileno(stdout)) ? OO_Defaults : OO_Tabular) {}

void RecordingReporter::ReportRuns(const std::vector<Run>& runs) {
  for (const Run& run : runs) {
    if (run.error_occurred) continue;
    const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
    const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
    if (median || single) results_[keyOf(run)] = run;
  }
  ConsoleReporter::ReportRuns(runs);
}

double RecordingReporter::seconds(const std::string& name) const {
  const auto found = results_.find(name);
  if (found == results_.end()) return NAN;
  return found->second.GetAdjustedRealTime() * secondsPer(found->second.time_unit);
}

double RecordingReporter::cpuSeconds(const std::string& name) const {
  const auto found = results_.find(name);
  if (found == results_.end()) return NAN;
  return found->second.GetAdjustedCPUTime() * secondsPer(found->second.time_unit);
}

double RecordingReporter::counter(const std::string& name, const std::string& counter) const {
  const auto found = results_.find(name);
  if (found == results_.end()) return NAN;
  const auto value = found->second.counters.find(counter);
  return value == found->second.counters.end() ? NAN : value->second.value;
}

int runBenchmarks(int argc, char** argv, void (*summary)(const RecordingReporter&)) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  summary(reporter);
  return 0;
}

}  // namespace kinemora::bench
