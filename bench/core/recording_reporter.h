#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace kinemora::bench {

// Prints what the console reporter prints, and keeps each benchmark's
// result (the median when it is repeated) for the summary after the run.
// Benchmarks are known by function name, plus "/args" when they have any.
class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  // Colours only on a terminal, as the library's own reporter chooses.
  RecordingReporter();
  void ReportRuns(const std::vector<Run>& runs) override;

  bool has(const std::string& name) const { return results_.count(name) != 0; }
  // Real time per iteration, in seconds.
  double seconds(const std::string& name) const;
  double cpuSeconds(const std::string& name) const;
  double counter(const std::string& name, const std::string& counter) const;

 private:
  std::map<std::string, Run> results_;
};

// The main of a benchmark program: runs what the command line selects,
// then prints `summary` of the results. Returns the exit status.
int runBenchmarks(int argc, char** argv, void (*summary)(const RecordingReporter&));

}  // namespace kinemora::bench
