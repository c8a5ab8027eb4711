#include "number_sampler.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace kinemora::reliability {

namespace {

double parse(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

}  // namespace

double NumberSampler::next() {
  double v = 0.0;
  switch (below(10)) {
    case 0: v = randomFloat(87, 167); break;   // about 1e-12 .. 1e12
    case 1: v = randomFloat(1, 254); break;    // any normal float
    case 2: v = randomDouble(1, 2046); break;  // any normal double
    case 3: v = randomDouble(983, 1063); break;
    case 4: v = nearPowerOfTen(); break;
    case 5: v = nearTie(); break;
    case 6: v = integer(); break;
    case 7: v = shortDecimal(); break;
    case 8: v = angle(); break;
    default: v = below(2) ? randomFloat(0, 0) : randomDouble(0, 0); break;  // subnormal
  }
  return below(2) ? -v : v;
}

double NumberSampler::randomFloat(int minExponentField, int maxExponentField) {
  const std::uint32_t mantissa = static_cast<std::uint32_t>(bits_()) & 0x7fffffu;
  const auto exponent =
      static_cast<std::uint32_t>(between(minExponentField, maxExponentField));
  const std::uint32_t word = exponent << 23 | mantissa;
  float f;
  std::memcpy(&f, &word, sizeof f);
  return f;
}

double NumberSampler::randomDouble(int minExponentField, int maxExponentField) {
  const std::uint64_t mantissa = bits_() & 0xfffffffffffffull;
  const auto exponent =
      static_cast<std::uint64_t>(between(minExponentField, maxExponentField));
  const std::uint64_t word = exponent << 52 | mantissa;
  double d;
  std::memcpy(&d, &word, sizeof d);
  return d;
}

// Moves v up to three ulps either way, in float or double steps.
double NumberSampler::stepUlps(double v, bool asFloat) {
  const int steps = between(-3, 3);
  for (int i = 0; i < std::abs(steps); ++i) {
    if (asFloat) {
      v = std::nextafter(static_cast<float>(v), steps < 0 ? 0.0f : HUGE_VALF);
    } else {
      v = std::nextafter(v, steps < 0 ? 0.0 : HUGE_VAL);
    }
  }
  return v;
}

double NumberSampler::nearPowerOfTen() {
  const bool asFloat = below(2);
  const int k = below(4) ? between(-15, 15) : (asFloat ? between(-44, 38) : between(-320, 308));
  double v = parse("1e" + std::to_string(k));
  if (asFloat) v = static_cast<float>(v);
  return stepUlps(v, asFloat);
}

// d.dd...d5 x 10^k for a cut after 1 to 9 digits, nearest float or double.
double NumberSampler::nearTie() {
  const bool asFloat = below(2);
  const int kept = between(1, 9);
  std::string text = std::to_string(between(1, 9));
  for (int i = 1; i < kept; ++i) text += static_cast<char>('0' + below(10));
  text += "5e" + std::to_string(between(-12, 12) - kept);
  double v = parse(text);
  if (asFloat) v = static_cast<float>(v);
  return below(2) ? v : stepUlps(v, asFloat);
}

double NumberSampler::integer() {
  const int digits = between(1, 10);
  return static_cast<double>(below(static_cast<std::uint64_t>(std::pow(10.0, digits))));
}

// A few digits at a decimal position: 0.05, 99.96, 999.5, 0.099996 ...
double NumberSampler::shortDecimal() {
  const int digits = between(1, 8);
  const std::uint64_t m = 1 + below(static_cast<std::uint64_t>(std::pow(10.0, digits)));
  const double v = parse(std::to_string(m) + "e" + std::to_string(between(-14, 6)));
  return below(2) ? static_cast<float>(v) : v;
}

double NumberSampler::angle() {
  const double unit = static_cast<double>(bits_() >> 11) / 9007199254740992.0;  // [0, 1)
  return static_cast<float>(unit * 360.0 - 180.0);
}

}  // namespace kinemora::reliability
