#include "motion/random_stream.h"

#include <gtest/gtest.h>

namespace kinemora {
namespace {

TEST(RandomStream, FollowsTheDocumentedGeneratorFromState1) {
  RandomStream stream;
  // The first values, worked out by hand from x = x * 214013 + 2531011.
  for (int expected : {41, 18467, 6334, 26500, 19169}) EXPECT_EQ(stream.draw(), expected);
}

}  // namespace
}  // namespace kinemora
