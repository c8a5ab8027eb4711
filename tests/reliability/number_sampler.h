#pragma once

#include <cstdint>
#include <random>

namespace kinemora::reliability {

// A seeded stream of doubles that stresses a decimal formatter: floats and
// doubles of every magnitude, values within a few ulps of powers of ten and
// of rounding ties, integers, short decimals and angle-like floats, each
// with a random sign. Built from raw generator bits only, so the same seed
// gives the same values on every platform.
class NumberSampler {
 public:
  explicit NumberSampler(std::uint64_t seed) : bits_(seed) {}
  double next();

 private:
  std::uint64_t below(std::uint64_t n) { return bits_() % n; }
  int between(int lo, int hi) { return lo + static_cast<int>(below(hi - lo + 1)); }
  double randomFloat(int minExponentField, int maxExponentField);
  double randomDouble(int minExponentField, int maxExponentField);
  double nearPowerOfTen();
  double nearTie();
  double integer();
  double shortDecimal();
  double angle();
  double stepUlps(double v, bool asFloat);

  std::mt19937_64 bits_;
};

}  // namespace kinemora::reliability
