#pragma once

#include <cstdint>

namespace kinemora {

// The program's one random stream: a 15-bit linear congruential generator
// (x = x * 214013 + 2531011 mod 2^32, yielding (x >> 16) & 0x7fff), never
// seeded. Every run on every platform draws the same sequence, so the same
// presses always write the same file. The joints' noise seeds, the noise
// tables and the random shape all draw from it, in the order they are used.

// The next value, 0 to 32767.
int drawRandom();

// Where the stream stands, to go back there later: a press that failed part
// way leaves the stream as it was before.
using RandomStreamState = std::uint32_t;
RandomStreamState randomStreamState();
void setRandomStreamState(RandomStreamState state);

// Back to the state of a freshly started program. Only for tests and tools
// that compose several times in one process.
void restartRandomStream();

}  // namespace kinemora
