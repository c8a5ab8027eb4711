#pragma once

namespace kinemora {

// The program's one random stream: a 15-bit linear congruential generator
// (x = x * 214013 + 2531011 mod 2^32, yielding (x >> 16) & 0x7fff), never
// seeded. Every run on every platform draws the same sequence, so the same
// presses always write the same file. The joints' noise seeds, the noise
// tables and the random shape all draw from it, in the order they are used.
constexpr int kRandomMax = 32767;

// The next value, 0 to 32767.
int drawRandom();

// Back to the state of a freshly started program. Only for tests and tools
// that compose several times in one process.
void restartRandomStream();

}  // namespace kinemora
