#include "app/playback.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <map>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace kinemora {
namespace {

// A clock the test sets by hand.
struct FakeClock {
  std::int64_t now = 0;
  MillisecondClock reader() {
    return [this] { return now; };
  }
};

TEST(NextFrame, CountsUpAndWrapsAfterTheLastFrame) {
  EXPECT_EQ(nextFrame(0, 109), 1);
  EXPECT_EQ(nextFrame(108, 109), 109);
  EXPECT_EQ(nextFrame(109, 109), 0);
}

TEST(NextFrame, EmptyTimelineStaysAtZero) { EXPECT_EQ(nextFrame(0, 0), 0); }

TEST(NextFrame, ValueAndLastFrameAreTruncated) {
  EXPECT_EQ(nextFrame(3.7, 109), 4);
  EXPECT_EQ(nextFrame(108.9, 109.9), 109);
  EXPECT_EQ(nextFrame(109.9, 109.9), 0);
}

TEST(Playback, LightOffDoesNothing) {
  FakeClock clock;
  Playback playback(clock.reader());
  clock.now = 1000;
  EXPECT_FALSE(playback.step(false, 5, 108));
  // Nothing was recorded: with the light on the advance comes at once.
  EXPECT_EQ(playback.step(true, 5, 108), 6);
}

TEST(Playback, AdvancesOnlyOnce34MillisecondsHavePassed) {
  FakeClock clock;
  Playback playback(clock.reader());
  clock.now = 33;
  EXPECT_FALSE(playback.step(true, 0, 108));
  clock.now = 34;
  EXPECT_EQ(playback.step(true, 0, 108), 1);
  clock.now = 67;
  EXPECT_FALSE(playback.step(true, 1, 108));
  clock.now = 68;
  EXPECT_EQ(playback.step(true, 1, 108), 2);
}

TEST(Playback, PaceCountsFromTheReadingTakenAtTheAdvance) {
  std::vector<std::int64_t> readings = {40, 45, 78, 79, 79};
  std::size_t next = 0;
  Playback playback([&] { return readings.at(next++); });
  EXPECT_EQ(playback.step(true, 0, 108), 1);  // due at 40, recorded as 45
  EXPECT_FALSE(playback.step(true, 1, 108));  // 78 - 45 = 33
  EXPECT_EQ(playback.step(true, 1, 108), 2);  // 79 - 45 = 34
}

TEST(Playback, EmptyTimelineKeepsShowingFrameZero) {
  FakeClock clock;
  Playback playback(clock.reader());
  for (int i = 1; i <= 5; ++i) {
    clock.now = 34 * i;
    EXPECT_EQ(playback.step(true, 0, 0), 0);
  }
}

TEST(Playback, TurningTheLightOffAndOnContinuesAfterThePeriod) {
  FakeClock clock;
  Playback playback(clock.reader());
  clock.now = 100;
  EXPECT_EQ(playback.step(true, 10, 108), 11);
  clock.now = 120;
  EXPECT_FALSE(playback.step(false, 11, 108));
  EXPECT_EQ(playback.millisecondsUntilDue(), 14);
  clock.now = 134;
  EXPECT_EQ(playback.step(true, 11, 108), 12);
}

TEST(Playback, MillisecondsUntilDueCountsDownToZero) {
  FakeClock clock;
  Playback playback(clock.reader());
  clock.now = 500;
  ASSERT_TRUE(playback.step(true, 0, 10));
  EXPECT_EQ(playback.millisecondsUntilDue(), 34);
  clock.now = 520;
  EXPECT_EQ(playback.millisecondsUntilDue(), 14);
  clock.now = 534;
  EXPECT_EQ(playback.millisecondsUntilDue(), 0);
  clock.now = 900;
  EXPECT_EQ(playback.millisecondsUntilDue(), 0);
}

// The timer loop of the Play button, simulated: a check at the scheduled
// time plus some jitter (early or late), then the next check scheduled
// millisecondsUntilDue() later. A check that fires early must cost at most
// the rest of the period, never a whole one.
std::vector<std::int64_t> advanceTimes(const std::vector<int>& jitter, int advances) {
  FakeClock clock;
  Playback playback(clock.reader());
  std::vector<std::int64_t> times;
  double value = 0;
  std::int64_t scheduled = 0;
  for (std::size_t check = 0; static_cast<int>(times.size()) < advances; ++check) {
    clock.now = std::max<std::int64_t>(clock.now, scheduled + jitter[check % jitter.size()]);
    if (const auto next = playback.step(true, value, 1000)) {
      value = *next;
      times.push_back(clock.now);
    }
    scheduled = clock.now + playback.millisecondsUntilDue();
  }
  return times;
}

TEST(Playback, EarlyOrLateChecksNeverSkipAPeriod) {
  const std::vector<int> jitter = {0, -1, 2, -1, 0, 1, -2, 0};
  const std::vector<std::int64_t> times = advanceTimes(jitter, 200);
  for (std::size_t i = 1; i < times.size(); ++i) {
    const std::int64_t interval = times[i] - times[i - 1];
    EXPECT_GE(interval, 34);
    EXPECT_LE(interval, 36) << "advance " << i;
  }
}

TEST(Playback, ChecksOnTimeGiveExactly34Milliseconds) {
  const std::vector<std::int64_t> times = advanceTimes({0}, 50);
  for (std::size_t i = 1; i < times.size(); ++i) EXPECT_EQ(times[i] - times[i - 1], 34);
}

// Playback shows every frame of a "rhumba" (110), each as often as the
// others: exactly the frames that File > Save File writes.
TEST(Playback, CyclesThroughEveryFrame) {
  FakeClock clock;
  Playback playback(clock.reader());
  const int frames = 110;
  std::map<int, int> shown;
  double value = 0;
  for (int i = 1; i <= 3 * frames; ++i) {
    clock.now = 34 * i;
    const auto next = playback.step(true, value, frames - 1);
    ASSERT_TRUE(next);
    value = *next;
    ++shown[*next];
  }
  ASSERT_EQ(shown.size(), static_cast<std::size_t>(frames));
  EXPECT_EQ(shown.begin()->first, 0);
  EXPECT_EQ(shown.rbegin()->first, frames - 1);
  for (const auto& [frame, count] : shown) EXPECT_EQ(count, 3) << frame;
}

// A sleep of 50 ms shows as at least 50 ms: the clock runs, in milliseconds.
TEST(MonotonicMilliseconds, CountsTheMillisecondsThatPass) {
  const std::int64_t before = monotonicMilliseconds();
  EXPECT_GE(before, 0);  // counted from the program's start
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_GE(monotonicMilliseconds() - before, 50);
}

}  // namespace
}  // namespace kinemora
