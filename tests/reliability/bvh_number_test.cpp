// The BVH number rule against hand-worked texts and, over a million varied
// values, against an independent digit-string reference.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "bvh_number_reference.h"
#include "export/bvh_number.h"
#include "number_sampler.h"
#include "sanitized_build.h"

namespace kinemora {
namespace {

std::string format(double value, int digits) {
  char text[kBvhNumberMaxChars];
  const int n = formatBvhNumber(value, digits, text);
  EXPECT_EQ(n, static_cast<int>(std::strlen(text))) << value;
  EXPECT_LT(n, kBvhNumberMaxChars) << value;
  return text;
}

std::string show(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.17g (%a)", value, value);
  return text;
}

double below(double v) { return std::nextafter(v, 0.0); }
double above(double v) { return std::nextafter(v, HUGE_VAL); }

struct Worked {
  double value;
  int digits;
  const char* text;
};

// Each text worked out by hand from the rule.
const Worked kWorked[] = {
    // value                 N  text
    {60,                     7, "60."},
    {0,                      7, "0."},
    {-10,                    7, "-10."},
    {-25,                    7, "-25."},
    {0.1234567,              7, "0.1234567"},
    {1e6,                    7, "1000000"},
    {1e7,                    7, "1.e+007"},
    {below(1e7),             7, "10000000"},
    {12345678,               7, "1.234568e+007"},
    {12.345,                 3, "12.3"},
    {-27.692,                3, "-27.7"},
    {0.5,                    3, "0.5"},
    {0.25,                   3, "0.25"},
    {0.0123,                 3, "1.23e-002"},
    {0.05,                   3, "5.e-002"},
    {-0.05,                  3, "-5.e-002"},
    {-45,                    3, "-45."},
    {123.4,                  3, "123"},
    {1234,                   3, "1.23e+003"},
    {99.96,                  3, "100."},
    {99.95,                  3, "100."},   // the double lies just above the tie
    {99.95f,                 3, "99.9"},   // the float just below it
    {999.96,                 3, "1000"},   // exponent taken before rounding
    {-999.96,                3, "-1000"},
    {999.5,                  3, "1000"},
    {9.995,                  3, "9.99"},   // 9.99499999...
    {9.9951,                 3, "10."},
    {0.099996,               3, "1.e-001"},
    {0.1,                    3, "0.1"},
    {below(0.1),             3, "1.e-001"},
    {0.9996,                 3, "1."},
    {1,                      3, "1."},
    {below(1),               3, "1."},
    {above(1),               3, "1."},
    {10,                     3, "10."},
    {100,                    3, "100"},
    {below(100),             3, "100."},
    {above(100),             3, "100"},
    {1000,                   3, "1.e+003"},
    {below(1000),            3, "1000"},
    {above(1000),            3, "1.e+003"},
    {0.01,                   3, "1.e-002"},
    {-0.0,                   3, "0."},
    {-0.0,                   7, "0."},
    {1e-300,                 3, "1.e-300"},
    {4.9406564584124654e-324, 3, "4.94e-324"},
    {DBL_MAX,                3, "1.8e+308"},
    {DBL_MAX,                7, "1.797693e+308"},
    {-DBL_MAX,               3, "-1.8e+308"},
    {FLT_MAX,                3, "3.4e+038"},
    {1.401298464324817e-45,  3, "1.4e-045"},
    {-180,                   3, "-180"},
    {179.99f,                3, "180"},
};

TEST(BvhNumberRule, WritesTheWorkedExamples) {
  for (const Worked& w : kWorked) {
    EXPECT_EQ(format(w.value, w.digits), w.text) << show(w.value) << " N=" << w.digits;
  }
}

TEST(BvhNumberRule, ReferenceAgreesWithTheWorkedExamples) {
  // The reference is only a witness if it gets the hand-worked texts right.
  for (const Worked& w : kWorked) {
    EXPECT_EQ(reference::bvhNumber(w.value, w.digits), w.text) << show(w.value);
  }
}

// 10^k as double and as float, and the next value on each side, over the
// whole range where they exist.
TEST(BvhNumberRule, MatchesTheReferenceAroundEveryPowerOfTen) {
  for (int k = -323; k <= 308; ++k) {
    const double p = std::strtod(("1e" + std::to_string(k)).c_str(), nullptr);
    const float f = static_cast<float>(p);
    const double values[] = {p, below(p), above(p), f,
                             std::nextafter(f, 0.0f), std::nextafter(f, HUGE_VALF)};
    for (double v : values) {
      if (!std::isfinite(v)) continue;  // floats end at 3.4e38
      for (int digits : {3, 7}) {
        for (double signed_v : {v, -v}) {
          ASSERT_EQ(format(signed_v, digits), reference::bvhNumber(signed_v, digits))
              << show(signed_v) << " N=" << digits;
        }
      }
    }
  }
}

int sweepSize(int full) { return kSanitizedBuild ? full / 10 : full; }

TEST(BvhNumberRule, MatchesTheReferenceOnAMillionVariedValues) {
  reliability::NumberSampler sampler(20261208);
  const int count = sweepSize(1000000);
  int mismatches = 0;
  for (int i = 0; i < count && mismatches < 20; ++i) {
    const double v = sampler.next();
    for (int digits : {3, 7}) {
      const std::string expected = reference::bvhNumber(v, digits);
      const std::string actual = format(v, digits);
      if (actual != expected) {
        ++mismatches;
        ADD_FAILURE() << show(v) << " N=" << digits << ": wrote " << actual << ", rule gives "
                      << expected;
      }
    }
  }
}

TEST(BvhNumberRule, MatchesTheReferenceForEveryDigitCount) {
  reliability::NumberSampler sampler(7);
  const int count = sweepSize(100000);
  for (int i = 0; i < count; ++i) {
    const double v = sampler.next();
    for (int digits = 1; digits <= 9; ++digits) {
      ASSERT_EQ(format(v, digits), reference::bvhNumber(v, digits)) << show(v) << " N=" << digits;
    }
  }
}

}  // namespace
}  // namespace kinemora
