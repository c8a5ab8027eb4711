#include "motion/shapes.h"

#include <cmath>

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

double randomShape(RandomStream& stream) {
  return static_cast<double>(stream.draw()) * static_cast<double>(kRandomScale);
}

double shapeValue(Shape shape, float t, RandomStream& stream) {
  switch (shape) {
    case Shape::Sine: return sineShape(t);
    case Shape::Cosine: return cosineShape(t);
    case Shape::DoubleCosine: return doubleCosineShape(t);
    case Shape::Random: return randomShape(stream);
    case Shape::None: break;
  }
  return 0.0;
}

}  // namespace kinemora
