#include "motion/shapes.h"

#include <cmath>

#include "motion/random_stream.h"

namespace kinemora {

namespace {

// A hair above pi/12: 24 frames make (almost exactly) one turn.
constexpr double kStep = 0.26179939166666666;
// The float nearest 1/32767.
constexpr float kRandomScale = 3.0518509e-05f;

}  // namespace

double sineShape(float t) { return (std::sin(t * kStep) + 1.0) * 0.5; }

double cosineShape(float t) { return (std::cos(t * kStep) + 1.0) * 0.5; }

double doubleCosineShape(float t) { return (std::cos(2.0 * t * kStep) + 1.0) * 0.5; }

double randomShape(float) {
  return static_cast<double>(drawRandom()) * static_cast<double>(kRandomScale);
}

}  // namespace kinemora
