#include "bvh_number_reference.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace kinemora::reference {

namespace {

// A positive value as significant digits d1 d2 d3 ... and the power of ten
// of d1: value = d1.d2d3... x 10^exponent.
struct Decimal {
  std::string digits;
  int exponent = 0;
  bool exact = false;  // digits is the full expansion, not a rounding of it
};

// A double's exact expansion has at most 767 significant digits.
constexpr int kExactPrecision = 780;
// Enough digits to decide a rounding at up to nine digits unless the digits
// after the cut look like a tie or a carry (then the exact expansion is used).
constexpr int kShortPrecision = 40;

Decimal expand(double a, int precision) {
  static char text[kExactPrecision + 32];
  std::snprintf(text, sizeof text, "%.*e", precision, a);
  Decimal d;
  d.digits.push_back(text[0]);
  const char* mark = std::strchr(text, 'e');
  d.digits.append(text + 2, static_cast<std::size_t>(mark - (text + 2)));
  d.exponent = std::atoi(mark + 1);
  d.exact = precision == kExactPrecision;
  return d;
}

bool allOf(const std::string& s, std::size_t from, char c) {
  return s.find_first_not_of(c, from) == std::string::npos;
}

// True when digits past the first n might round differently in the exact
// expansion: a tail of all zeros (a carry may hide in it, and it moves the
// exponent when the lead is 1000...), all nines, or a near tie.
bool ambiguous(const Decimal& d, int n) {
  const std::string& s = d.digits;
  if (allOf(s, n, '0') || allOf(s, n, '9')) return true;
  if (s[n] == '5' && allOf(s, n + 1, '0')) return true;
  if (s[n] == '4' && allOf(s, n + 1, '9')) return true;
  return false;
}

Decimal decimalOf(double a, int n) {
  Decimal d = expand(a, kShortPrecision);
  if (ambiguous(d, n)) d = expand(a, kExactPrecision);
  return d;
}

// The first n digits rounded to nearest, ties to even. The result has n
// digits, or n + 1 ("1000") when the rounding carried past the first digit.
std::string roundDigits(const Decimal& d, int n) {
  std::string kept = d.digits.substr(0, n);
  const std::string rest = d.digits.substr(n);
  bool up;
  if (rest[0] > '5') {
    up = true;
  } else if (rest[0] < '5') {
    up = false;
  } else if (!allOf(rest, 1, '0')) {
    up = true;
  } else {
    // Exactly half (the expansion is exact here, see ambiguous()).
    up = (kept.back() - '0') % 2 == 1;
  }
  if (!up) return kept;
  int i = n - 1;
  while (i >= 0 && kept[i] == '9') kept[i--] = '0';
  if (i < 0) return "1" + kept;
  ++kept[i];
  return kept;
}

std::string stripFractionZeros(std::string s) {
  const std::size_t point = s.find('.');
  if (point == std::string::npos) return s;
  std::size_t end = s.size();
  while (end > point + 1 && s[end - 1] == '0') --end;
  return s.substr(0, end);
}

// m (a digit string) divided by 10^decimals, written in full.
std::string fixed(std::string m, int decimals) {
  if (decimals == 0) return m;
  if (static_cast<int>(m.size()) <= decimals) m.insert(0, decimals + 1 - m.size(), '0');
  m.insert(m.size() - decimals, ".");
  return stripFractionZeros(m);
}

std::string exponential(std::string m, int exponent, int n) {
  if (static_cast<int>(m.size()) > n) {  // 9.99 rounded to 10.0
    m.resize(n);
    ++exponent;
  }
  std::string text = m.substr(0, 1) + "." + m.substr(1);
  text = stripFractionZeros(text);
  char tail[16];
  std::snprintf(tail, sizeof tail, "e%c%03d", exponent < 0 ? '-' : '+', std::abs(exponent));
  return text + tail;
}

}  // namespace

std::string bvhNumber(double value, int digits) {
  if (value == 0.0) return "0.";
  const std::string sign = std::signbit(value) ? "-" : "";
  const Decimal d = decimalOf(std::fabs(value), digits);
  const std::string m = roundDigits(d, digits);
  const int e = d.exponent;
  if (e >= -1 && e <= digits - 1) return sign + fixed(m, digits - 1 - e);
  return sign + exponential(m, e, digits);
}

}  // namespace kinemora::reference
