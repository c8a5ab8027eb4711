#include "export/bvh_number.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

namespace kinemora {
namespace {

std::string format(double value, int digits) {
  char text[kBvhNumberMaxChars];
  const int length = formatBvhNumber(value, digits, text);
  EXPECT_EQ(length, static_cast<int>(std::strlen(text)));
  return text;
}

struct Example {
  double value;
  int digits;
  const char* text;
};

const Example kExamples[] = {
    // value     digits  text
    {60,         7,      "60."},
    {0,          7,      "0."},
    {-10,        7,      "-10."},
    {-25,        7,      "-25."},
    {12.345,     3,      "12.3"},
    {-27.692,    3,      "-27.7"},
    {0.5,        3,      "0.5"},
    {0.25,       3,      "0.25"},
    {0.0123,     3,      "1.23e-002"},
    {0.05,       3,      "5.e-002"},
    {-45,        3,      "-45."},
    {123.4,      3,      "123"},
    {-180,       3,      "-180"},
    {99.96,      3,      "100."},     // reaches 100 only by rounding
    {1234,       3,      "1.23e+003"},
    {999.96,     3,      "1000"},     // printf's %g would say 1e+03
    {0.099996,   3,      "1.e-001"},  // printf's %g would say 0.1
    {-0.0,       3,      "0."},
    {-0.0,       7,      "0."},
};

// Angles reach the writer as floats widened to double; the other examples
// are plain doubles. Both must follow the rule.
TEST(BvhNumber, DocumentedExamples) {
  for (const Example& e : kExamples) {
    EXPECT_EQ(format(e.value, e.digits), e.text) << e.value;
    EXPECT_EQ(format(static_cast<float>(e.value), e.digits), e.text) << e.value << " as float";
  }
}

}  // namespace
}  // namespace kinemora
