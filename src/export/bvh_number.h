#pragma once

namespace kinemora {

// Longest text formatBvhNumber writes, terminating zero included.
constexpr int kBvhNumberMaxChars = 32;

// Writes value with `digits` significant digits (1..9) the way the BVH file
// wants them, and returns the length (a terminating zero follows):
//  - e, the decimal exponent of the value before rounding, picks the form:
//    fixed for -1 <= e <= digits-1 with digits-1-e decimals (no point when
//    that is 0), otherwise d.ddd, "e", sign and a three-digit exponent;
//  - trailing zeros of a fraction go, the point stays ("60.", "5.e-002");
//  - zero, negative zero included, is "0.".
// Not printf's %g: 999.96 gives "1000", 0.099996 gives "1.e-001".
int formatBvhNumber(double value, int digits, char* out);

}  // namespace kinemora
