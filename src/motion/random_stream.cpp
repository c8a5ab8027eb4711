#include "motion/random_stream.h"

#include <cstdint>

namespace kinemora {

namespace {

std::uint32_t state = 1;

}  // namespace

int drawRandom() {
  state = state * 214013u + 2531011u;  // wraps mod 2^32
  return static_cast<int>((state >> 16) & 0x7fffu);
}

RandomStreamState randomStreamState() { return state; }

void setRandomStreamState(RandomStreamState s) { state = s; }

void restartRandomStream() { state = 1; }

}  // namespace kinemora
