#pragma once

#include <string>

namespace kinemora::reference {

// The BVH number rule worked out on decimal digit strings, independently of
// the formatter under test: the exponent is read from the value's own
// decimal expansion, rounding is done digit by digit (ties to even, as the
// C library rounds), then the rule's form, zero stripping and three-digit
// exponent are applied. Slow, and meant to be obviously right.
// For finite values and 1 to 9 digits.
std::string bvhNumber(double value, int digits);

}  // namespace kinemora::reference
