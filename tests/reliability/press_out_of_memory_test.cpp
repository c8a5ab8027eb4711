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
#include "motion/noise.h"
#include "motion/random_stream.h"

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

struct Session {
  std::unique_ptr<Skeleton> skeleton;
  std::unique_ptr<Composer> composer;
};

// A freshly started program, after `actions`.
Session freshSession(const std::vector<std::string>& actions) {
  restartRandomStream();
  resetNoiseTables();
  Session s{std::make_unique<Skeleton>(), nullptr};
  s.composer = std::make_unique<Composer>(*s.skeleton);
  reliability::perform(*s.composer, actions);
  return s;
}

// Seizure draws from the random stream, and with noise switched on but not
// yet used its transition builds the noise tables.
TEST(PressOutOfMemory, LeavesEverythingAsItWasAtEveryAllocation) {
  const std::string expected =
      reliability::bvhText(*freshSession({"rhumba", "noise", "seizure"}).composer);

  bool pressSucceeded = false;
  for (long failAt = 0; !pressSucceeded; ++failAt) {
    Session s = freshSession({"rhumba", "noise"});
    const std::string before = reliability::bvhText(*s.composer);
    const std::string queue = s.composer->queueText();

    allocationsBeforeFailure = failAt;
    try {
      s.composer->press(Motion::Seizure);
      pressSucceeded = true;
    } catch (const std::bad_alloc&) {
    }
    allocationsBeforeFailure = -1;

    if (!pressSucceeded) {
      ASSERT_FALSE(noiseTablesBuilt()) << "allocation " << failAt;
      ASSERT_EQ(s.composer->queueText(), queue) << "allocation " << failAt;
      ASSERT_EQ(reliability::bvhText(*s.composer), before) << "allocation " << failAt;
      s.composer->press(Motion::Seizure);
    }
    ASSERT_EQ(reliability::bvhText(*s.composer), expected) << "allocation " << failAt;
  }
}

}  // namespace
}  // namespace kinemora
