#pragma once

#include <cstdint>

namespace kinemora {

// A composition's random stream: a 15-bit linear congruential generator
// (x = x * 214013 + 2531011 mod 2^32, yielding (x >> 16) & 0x7fff), never
// seeded. Every composition starts it at the same state, so the same presses
// always write the same file, on every platform. The joints' noise seeds,
// the noise tables and the random shape all draw from it, in the order they
// are used. Where the stream stands is its one number: copying it is how a
// press that failed part way, or an undo, goes back.
struct RandomStream {
  std::uint32_t state = 1;

  // The next value, 0 to 32767.
  int draw() {
    state = state * 214013u + 2531011u;  // wraps mod 2^32
    return static_cast<int>((state >> 16) & 0x7fffu);
  }
};

}  // namespace kinemora
