// BVH export of 100,000 frames: our writer against a baseline that formats
// the same angles with snprintf("%.3g") into a buffer of the same size and
// writes it to the same sink; glTF export of the same frames, both forms,
// against that BVH export; plus the heap each export takes.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "allocation_counter.h"
#include "compose/composer.h"
#include "export/file_format.h"
#include "export/gltf_writer.h"
#include "export/save_target.h"
#include "figure/motion_tracks.h"
#include "recording_reporter.h"
#include "sessions.h"

namespace kinemora::bench {
namespace {

constexpr int kExportFrames = 100000;

// The composed animation, built once before anything is timed.
struct ExportSession {
  ExportSession() { presses = pressUntil(composer, kExportFrames); }
  const FrameStore& frames() const { return composer.frames(); }
  Composer composer;
  int presses = 0;
};

ExportSession& session() {
  static ExportSession built;
  return built;
}

// Output nobody keeps, so that formatting, not the disk, is measured.
std::FILE* nullSink() {
  static std::FILE* sink = std::fopen("/dev/null", "w");
  return sink;
}

// The size of what `write(stream)` writes.
template <class Write>
long bytesWritten(Write write) {
  std::FILE* counter = std::tmpfile();
  write(counter);
  const long bytes = std::ftell(counter);
  std::fclose(counter);
  return bytes;
}

// One export of the session's first `frames` frames to an open stream.
bool exportTo(std::FILE* stream, FileFormat format, int frames, std::string* error) {
  Output out(stream);
  return writeAnimation(session().frames(), frames, format, out, error);
}

FileFormat formatOf(GltfForm form) {
  return form == GltfForm::Binary ? FileFormat::Glb : FileFormat::Gltf;
}

long exportedBytes(int frames) {
  std::string error;
  return bytesWritten([&](std::FILE* f) { exportTo(f, FileFormat::Bvh, frames, &error); });
}

long gltfBytes(GltfForm form, int frames) {
  std::string error;
  return bytesWritten([&](std::FILE* f) { exportTo(f, formatOf(form), frames, &error); });
}

void BM_ExportBvh(benchmark::State& state) {
  for (auto _ : state) {
    std::string error;
    if (!exportTo(nullSink(), FileFormat::Bvh, kExportFrames, &error)) {
      state.SkipWithError(error.c_str());
    }
  }
  const long bytes = exportedBytes(kExportFrames);
  state.SetBytesProcessed(state.iterations() * bytes);
  state.counters["frames"] = kExportFrames;
  state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_ExportGltf(benchmark::State& state, GltfForm form) {
  for (auto _ : state) {
    std::string error;
    if (!exportTo(nullSink(), formatOf(form), kExportFrames, &error)) {
      state.SkipWithError(error.c_str());
    }
  }
  const long bytes = gltfBytes(form, kExportFrames);
  state.SetBytesProcessed(state.iterations() * bytes);
  state.counters["frames"] = kExportFrames;
  state.counters["bytes"] = static_cast<double>(bytes);
}

// The writer's frame lines the plain way: the same joints in the same
// order, one snprintf per number into a 64 KiB buffer, the same sink.
class PrintfBaseline {
 public:
  explicit PrintfBaseline(std::FILE* sink) : sink_(sink) {}

  std::size_t write(const FrameStore& stored, int frames) {
    for (int frame = 0; frame < frames; ++frame) {
      put("0. 60. 0. ");
      for (const JointIndex j : kPreOrder) {
        const Vec3 a = channelAngles(stored[frame].rotations[j]);
        number(a.z);
        number(a.x);
        number(a.y);
      }
      put("\n");
    }
    flush();
    return written_;
  }

 private:
  static constexpr std::size_t kCapacity = 1 << 16;
  static constexpr std::size_t kLongestNumber = 32;

  void number(double value) {
    if (kCapacity - used_ < kLongestNumber) flush();
    used_ += std::snprintf(buffer_ + used_, kLongestNumber, "%.3g ", value);
  }

  void put(const char* text) {
    for (; *text; ++text) {
      if (used_ == kCapacity) flush();
      buffer_[used_++] = *text;
    }
  }

  void flush() {
    written_ += std::fwrite(buffer_, 1, used_, sink_);
    std::fflush(sink_);
    used_ = 0;
  }

  std::FILE* sink_;
  char buffer_[kCapacity];
  std::size_t used_ = 0;
  std::size_t written_ = 0;
};

void BM_ExportPrintfBaseline(benchmark::State& state) {
  const FrameStore& frames = session().frames();
  std::size_t bytes = 0;
  for (auto _ : state) {
    auto baseline = std::make_unique<PrintfBaseline>(nullSink());
    bytes = baseline->write(frames, kExportFrames);
  }
  state.SetBytesProcessed(state.iterations() * bytes);
  state.counters["frames"] = kExportFrames;
  state.counters["bytes"] = static_cast<double>(bytes);
}

// The whole save to a file: temporary file, fsync and rename included.
void BM_ExportBvhToFile(benchmark::State& state) {
  char directory[] = "/tmp/kinemora-bench-XXXXXX";
  if (!::mkdtemp(directory)) {
    state.SkipWithError("mkdtemp failed");
    return;
  }
  const std::string path = std::string(directory) + "/export.bvh";
  for (auto _ : state) {
    const SaveResult result = save(path, [](Output& out, std::string* error) {
      return writeAnimation(session().frames(), kExportFrames, FileFormat::Bvh, out, error);
    });
    if (!result) state.SkipWithError(result.message.c_str());
  }
  state.SetBytesProcessed(state.iterations() * exportedBytes(kExportFrames));
  ::unlink(path.c_str());
  ::rmdir(directory);
}

BENCHMARK(BM_ExportBvh)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK_CAPTURE(BM_ExportGltf, glb, GltfForm::Binary)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK_CAPTURE(BM_ExportGltf, gltf, GltfForm::Text)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_ExportPrintfBaseline)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_ExportBvhToFile)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

void printHeapDuringExport() {
  struct Format {
    const char* name;
    FileFormat format;
  };
  const Format formats[] = {
      {"BVH", FileFormat::Bvh},
      {".glb", FileFormat::Glb},
      {".gltf", FileFormat::Gltf},
  };
  std::printf("\nHeap taken by one export (operator new; the frames are already stored):\n");
  std::printf("  %-6s  %8s  %12s  %12s  %12s\n", "format", "frames", "allocations", "bytes",
              "peak live");
  for (const Format& format : formats) {
    for (int frames : {0, 1000, 10000, kExportFrames}) {
      std::string error;
      const AllocationWatch watch;
      exportTo(nullSink(), format.format, frames, &error);
      const Allocations a = watch.taken();
      std::printf("  %-6s  %8d  %12zu  %12zu  %12zu\n", format.name, frames, a.calls, a.bytes,
                  a.peakLive);
    }
  }
}

// Time and size of each form against the BVH export of the same frames;
// bytes per frame leave out what a file holds with no frames at all.
void printGltfSummary(const RecordingReporter& results) {
  struct Row {
    const char* name;
    const char* benchmark;
    long empty;
    long full;
  };
  const Row rows[] = {
      {"BVH", "BM_ExportBvh", exportedBytes(0), exportedBytes(kExportFrames)},
      {".glb", "BM_ExportGltf/glb", gltfBytes(GltfForm::Binary, 0),
       gltfBytes(GltfForm::Binary, kExportFrames)},
      {".gltf", "BM_ExportGltf/gltf", gltfBytes(GltfForm::Text, 0),
       gltfBytes(GltfForm::Text, kExportFrames)},
  };
  const double bvh = results.seconds("BM_ExportBvh");
  std::printf("\nglTF export of %d frames against the BVH export of the same frames"
              " (to /dev/null; MB = 10^6 bytes):\n", kExportFrames);
  std::printf("  %-6s  %9s  %9s  %12s  %10s\n", "format", "time ms", "MB", "bytes/frame",
              "time / BVH");
  for (const Row& row : rows) {
    if (!results.has(row.benchmark)) continue;
    const double seconds = results.seconds(row.benchmark);
    std::printf("  %-6s  %9.1f  %9.2f  %12.1f  %10.3f\n", row.name, seconds * 1e3, row.full / 1e6,
                static_cast<double>(row.full - row.empty) / kExportFrames, seconds / bvh);
  }
  std::printf("  target: glTF at most 0.5 of the BVH time\n");
}

void printSummary(const RecordingReporter& results) {
  const double ours = results.seconds("BM_ExportBvh");
  const double baseline = results.seconds("BM_ExportPrintfBaseline");
  const double toFile = results.seconds("BM_ExportBvhToFile");
  const double megabytes = results.counter("BM_ExportBvh", "bytes") / 1e6;
  const double baselineMegabytes = results.counter("BM_ExportPrintfBaseline", "bytes") / 1e6;
  const double frameBytes = frameBytesUsed(session().frames());
  std::printf("\nBVH export of %d frames (%d presses, %.1f MB of text, frames %.1f MB;"
              " MB = 10^6 bytes):\n",
              kExportFrames, session().presses, megabytes, frameBytes / 1e6);
  std::printf("  ours, to /dev/null     %8.1f ms  %7.1f MB/s\n", ours * 1e3, megabytes / ours);
  std::printf("  snprintf %%.3g baseline %8.1f ms  %7.1f MB/s (%.1f MB: shorter exponents)\n",
              baseline * 1e3, baselineMegabytes / baseline, baselineMegabytes);
  if (results.has("BM_ExportBvhToFile")) {
    std::printf("  ours, saved to a file  %8.1f ms  %7.1f MB/s (temporary file, fsync, rename)\n",
                toFile * 1e3, megabytes / toFile);
  }
  std::printf("  ratio ours / baseline  %8.3f  (target <= 0.5)\n", ours / baseline);
}

}  // namespace
}  // namespace kinemora::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  kinemora::bench::session();  // composed before the clock starts
  kinemora::bench::RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  if (reporter.has("BM_ExportBvh") && reporter.has("BM_ExportPrintfBaseline")) {
    kinemora::bench::printSummary(reporter);
  }
  if (reporter.has("BM_ExportBvh")) kinemora::bench::printGltfSummary(reporter);
  kinemora::bench::printHeapDuringExport();
  return 0;
}
