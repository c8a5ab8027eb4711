#include "export/bvh_number.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace kinemora {

namespace {

constexpr double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10,
                             1e11, 1e12};

// Writes the decimal digits of m (m > 0 or a single 0), most significant first.
char* putDigits(std::uint64_t m, char* p) {
  char reversed[24];
  int n = 0;
  do {
    reversed[n++] = static_cast<char>('0' + m % 10);
    m /= 10;
  } while (m != 0);
  while (n > 0) *p++ = reversed[--n];
  return p;
}

// Drops the zeros at the end of the fraction between point and end; the
// point itself stays. Returns the new end.
char* stripZeros(char* point, char* end) {
  while (end > point + 1 && end[-1] == '0') --end;
  return end;
}

char* putExponent(int e, char* p) {
  *p++ = 'e';
  *p++ = e < 0 ? '-' : '+';
  const int a = e < 0 ? -e : e;
  *p++ = static_cast<char>('0' + a / 100 % 10);
  *p++ = static_cast<char>('0' + a / 10 % 10);
  *p++ = static_cast<char>('0' + a % 10);
  return p;
}

// Fixed form of m / 10^decimals.
char* putFixed(std::uint64_t m, int decimals, char* p) {
  if (decimals == 0) return putDigits(m, p);
  const std::uint64_t scale = static_cast<std::uint64_t>(kPow10[decimals]);
  p = putDigits(m / scale, p);
  char* point = p;
  *p++ = '.';
  std::uint64_t fraction = m % scale;
  for (int i = decimals - 1; i >= 0; --i) {
    point[1 + i] = static_cast<char>('0' + fraction % 10);
    fraction /= 10;
  }
  return stripZeros(point, point + 1 + decimals);
}

// Exponential form of the mantissa m (its first digit before the point)
// times 10^e.
char* putExponential(std::uint64_t m, int e, char* p) {
  char mantissa[24] = {};
  char* end = putDigits(m, mantissa);
  *p++ = mantissa[0];
  char* point = p;
  *p++ = '.';
  for (const char* d = mantissa + 1; d < end; ++d) *p++ = *d;
  return putExponent(e, stripZeros(point, p));
}

// Exact for every float-valued a with 1e-10 <= a < 1e10 and digits <= 9:
// each product or quotient below is exact in double, or (for the large
// values) provably lands on the same side of every rounding tie. Returns
// nullptr when a is outside that range.
char* formatFast(double a, int digits, char* p) {
  if (static_cast<double>(static_cast<float>(a)) != a) return nullptr;
  if (!(a >= 1e-10 && a < 1e10)) return nullptr;

  int e;
  if (a >= 1.0) {
    e = 0;
    while (e < 9 && a >= kPow10[e + 1]) ++e;
  } else {
    e = -1;
    while (a * kPow10[-e] < 1.0) --e;
  }

  const int decimals = digits - 1 - e;
  if (decimals > 12) return nullptr;
  const double scaled = decimals >= 0 ? a * kPow10[decimals] : a / kPow10[-decimals];
  // Ties go to even, as the C library rounds.
  std::uint64_t m = static_cast<std::uint64_t>(std::nearbyint(scaled));

  if (e >= -1 && e <= digits - 1) return putFixed(m, decimals, p);
  if (m >= static_cast<std::uint64_t>(kPow10[digits])) {  // 9.996 -> 10.0
    m /= 10;
    ++e;
  }
  return putExponential(m, e, p);
}

// Any other value: the C library does the rounding, this code the form.
char* formatSlow(double a, int digits, char* p) {
  char text[400];
  // Sixty digits pin down the exponent of the unrounded value.
  std::snprintf(text, sizeof text, "%.60e", a);
  const int e = std::atoi(std::strchr(text, 'e') + 1);
  if (e >= -1 && e <= digits - 1) {
    const int decimals = digits - 1 - e;
    const int n = std::snprintf(text, sizeof text, "%.*f", decimals, a);
    std::memcpy(p, text, n);
    char* point = static_cast<char*>(std::memchr(p, '.', n));
    return point ? stripZeros(point, p + n) : p + n;
  }
  std::snprintf(text, sizeof text, "%.*e", digits - 1, a);
  char* mark = std::strchr(text, 'e');
  const int exponent = std::atoi(mark + 1);
  const int n = static_cast<int>(mark - text);
  std::memcpy(p, text, n);
  char* point = static_cast<char*>(std::memchr(p, '.', n));
  char* end = point ? stripZeros(point, p + n) : p + n;
  if (!point) *end++ = '.';  // one-digit mantissa: "5e-02" becomes "5.e-002"
  return putExponent(exponent, end);
}

}  // namespace

int formatBvhNumber(double value, int digits, char* out) {
  char* p = out;
  if (std::isnan(value)) {
    std::memcpy(out, "nan", 4);
    return 3;
  }
  if (value == 0.0) {  // negative zero too: "-0." would only puzzle readers
    std::memcpy(out, "0.", 3);
    return 2;
  }
  if (value < 0.0) *p++ = '-';
  const double a = std::fabs(value);
  if (std::isinf(a)) {
    std::memcpy(p, "inf", 4);
    return static_cast<int>(p - out) + 3;
  }
  char* end = formatFast(a, digits, p);
  if (!end) end = formatSlow(a, digits, p);
  *end = '\0';
  return static_cast<int>(end - out);
}

}  // namespace kinemora
