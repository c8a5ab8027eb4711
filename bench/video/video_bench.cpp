// Frames a second of a video written without a display: drawing alone
// (the off-screen renderer), then drawing and encoding together for each
// format, at 640 x 480 and 1280 x 720, over 600 frames of a composition;
// with the bytes written and the process's peak memory after each. Then an
// MP4 of ten times as many frames at 640 x 480: the peak stays where the
// short one left it. Mesa's shaders are compiled before anything is timed
// (a single run of kinemora-compose pays for that in its first frames).
// Needs no display:
//   build/bench/video/kinemora_bench_video
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "compose/composer.h"
#include "encode/video_format.h"
#include "export/output.h"
#include "video/offscreen_renderer.h"
#include "video/video_writer.h"

namespace {

using namespace kinemora;
using Clock = std::chrono::steady_clock;

constexpr int kFrames = 600;
constexpr int kLongFrames = 10 * kFrames;
constexpr int kWarmUpFrames = 200;
constexpr PictureSize kSizes[] = {{640, 480}, {1280, 720}};
struct FormatRow {
  VideoFormat format;
  const char* what;
};
constexpr FormatRow kFormats[] = {
    {VideoFormat::Mp4, "drawing + mp4"},
    {VideoFormat::Gif, "drawing + gif"},
};

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

long peakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

double renderOnly(const FrameStore& frames, PictureSize size, int count) {
  OffscreenRenderer renderer;
  std::string error;
  if (!renderer.open(size, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 0;
  }
  Camera camera;
  camera.aspect = aspectAt(size.width, size.height);
  Picture picture;
  const Clock::time_point start = Clock::now();
  for (int i = 0; i < count; ++i) renderer.render(camera, frames[i], &picture);
  return count / secondsSince(start);
}

// Frames a second writing the video to a file that is thrown away; *bytes
// its size.
double renderAndEncode(const FrameStore& frames, int count, PictureSize size,
                       VideoFormat format, long* bytes) {
  std::FILE* file = std::tmpfile();
  Output out(file);
  VideoShot shot;
  shot.size = size;
  const auto writer = videoWriter(format, shot, out);
  std::string error;
  const Clock::time_point start = Clock::now();
  const bool written =
      writer->begin(count, &error) && writer->add(frames, 0, count, &error) &&
      writer->finish(&error);
  const double seconds = secondsSince(start);
  *bytes = std::ftell(file);
  std::fclose(file);
  if (!written) std::fprintf(stderr, "%s\n", error.c_str());
  return written ? count / seconds : 0;
}

void printRow(PictureSize size, const char* what, double fps, long bytes) {
  const std::string shown = std::to_string(size.width) + "x" + std::to_string(size.height);
  std::printf("%-10s %-22s %10.1f %12ld %8ld\n", shown.c_str(), what, fps, bytes,
              peakMegabytes());
}

}  // namespace

int main() {
  Composer composer;
  while (composer.frameCount() < kLongFrames) {
    for (const Motion motion : {Motion::Rhumba, Motion::Clap, Motion::Cheer, Motion::Seizure,
                                Motion::PunchR, Motion::Bend}) {
      composer.press(motion);
    }
  }
  const FrameStore& frames = composer.frames();
  // Mesa compiles its shaders during the first frames of the process; no
  // row should pay for that.
  for (const PictureSize size : kSizes) renderOnly(frames, size, kWarmUpFrames);
  std::printf("%-10s %-22s %10s %12s %8s\n", "size", "what", "frames/s", "bytes", "peak MB");
  for (const PictureSize size : kSizes) {
    printRow(size, "drawing", renderOnly(frames, size, kFrames), 0);
    for (const FormatRow& row : kFormats) {
      long bytes = 0;
      const double fps = renderAndEncode(frames, kFrames, size, row.format, &bytes);
      printRow(size, row.what, fps, bytes);
    }
    if (size.width == kSizes[0].width) {
      long bytes = 0;
      const double fps = renderAndEncode(frames, kLongFrames, size, VideoFormat::Mp4, &bytes);
      printRow(size, "drawing + mp4, 10 x", fps, bytes);
    }
  }
  std::printf("(%d frames a run; the last of the first size %d)\n", kFrames, kLongFrames);
  return 0;
}
