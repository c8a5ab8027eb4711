// A press that runs out of memory at any allocation leaves the composition,
// the random stream and the noise tables exactly as they were: the file is
// unchanged, and pressing again gives what a press with enough memory gives.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "compose/composer.h"
#include "composition.h"

namespace {

// Once armed, every allocation from the n-th on fails, as when memory is
// really gone: putting things back must not allocate either.
long allocationsBeforeFailure = -1;  // -1: not armed

}  // namespace

void* operator new(std::size_t size) {
  if (allocationsBeforeFailure == 0) throw std::bad_alloc();
  if (allocationsBeforeFailure > 0) --allocationsBeforeFailure;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
// GCC takes these for a mismatch: it does not see that new above is malloc.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace kinemora {
namespace {

// A freshly started program, after `actions`.
std::unique_ptr<Composer> freshSession(const std::vector<std::string>& actions) {
  auto composer = std::make_unique<Composer>();
  reliability::perform(*composer, actions);
  return composer;
}

// With noise switched on but not yet used, the press's transition builds the
// noise tables; seizure then draws from the random stream frame by frame,
// and clap's frames are worked out once and kept.
TEST(PressOutOfMemory, LeavesEverythingAsItWasAtEveryAllocation) {
  for (const Motion motion : {Motion::Seizure, Motion::Clap}) {
    const std::string label = motionEntry(motion).label;
    const std::string expected = reliability::bvhText(*freshSession({"rhumba", "noise", label}));

    bool pressSucceeded = false;
    for (long failAt = 0; !pressSucceeded; ++failAt) {
      const auto composer = freshSession({"rhumba", "noise"});
      const std::string before = reliability::bvhText(*composer);
      const std::string queue = composer->queueText();

      allocationsBeforeFailure = failAt;
      try {
        composer->press(motion);
        pressSucceeded = true;
      } catch (const std::bad_alloc&) {
      }
      allocationsBeforeFailure = -1;

      if (!pressSucceeded) {
        ASSERT_EQ(composer->queueText(), queue) << label << " allocation " << failAt;
        ASSERT_EQ(reliability::bvhText(*composer), before) << label << " allocation " << failAt;
        composer->press(motion);
      }
      ASSERT_EQ(reliability::bvhText(*composer), expected) << label << " allocation " << failAt;
    }
  }
}

}  // namespace
}  // namespace kinemora
