#pragma once

#include <cstdint>

#include "motion/random_stream.h"

namespace kinemora {

// A shape turns a frame time (in frames) into a blend weight between a
// channel's two extremes: 1 gives extremeA, 0 gives extremeB.
enum class Shape : std::uint8_t {
  None,          // the channel stays at 0
  Sine,          // sineShape
  Cosine,        // cosineShape
  DoubleCosine,  // doubleCosineShape
  Random,        // randomShape
};

// 24-frame period; 0.5 at t = 0, extremeA at t = 6 + 24m.
double sineShape(float t);
// 24-frame period; extremeA at t = 24m, extremeB at t = 12 + 24m.
double cosineShape(float t);
// 12-frame period; extremeA at t = 12m, extremeB at t = 6 + 12m.
double doubleCosineShape(float t);
// Ignores t; draws one value of the stream per call, 0 to just below 1.
double randomShape(RandomStream& stream);

// The weight of `shape` at t (None: 0); Random draws from the stream.
double shapeValue(Shape shape, float t, RandomStream& stream);

}  // namespace kinemora
