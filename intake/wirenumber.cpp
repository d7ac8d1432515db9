// SPDX-License-Identifier: GPL-3.0-or-later
#include "intake/wirenumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace kurvex {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool HasDigit(std::string_view t) { return std::any_of(t.begin(), t.end(), IsDigit); }

/// What follows a number is a unit ("V", " °C", "%"): text without digits
/// or marks that belong to numbers and names. Right after the number it may
/// not begin like the rest of a number ("1e", "1.2.3", "1,2,x").

/// Length of the longest leading number in the wire format, with `point` as
/// its decimal point; 0 when there is none.
std::size_t NumberLength(std::string_view t, char point) {
  std::size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < t.size() && IsDigit(t[i])) ++i, ++digits;
  if (i < t.size() && t[i] == point) {
    ++i;
    while (i < t.size() && IsDigit(t[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
    const std::size_t expStart = j;
    while (j < t.size() && IsDigit(t[j])) ++j;
    if (j > expStart) i = j;  // an "e" without digits is not part of the number
  }
  return i;
}

/// What a number beyond extended range stands for: infinity when its decimal
/// magnitude is large, 0 when it is tiny. from_chars leaves the value alone then.
long double OutOfRange(std::string_view t) {
  // Far beyond any digit count a line can have, far below overflow of long long.
  constexpr long long kHugeExponent = 1LL << 40;
  long long magnitude = 0;
  bool seenNonZero = false, afterPoint = false;
  std::size_t i = 0;
  for (; i < t.size() && t[i] != 'e' && t[i] != 'E'; ++i) {
    if (t[i] == '.') {
      afterPoint = true;
    } else if (!seenNonZero && t[i] == '0') {
      if (afterPoint) --magnitude;
    } else {
      seenNonZero = true;
      if (!afterPoint) ++magnitude;
    }
  }
  if (i + 1 < t.size()) {
    const char* first = t.data() + i + (t[i + 1] == '+' ? 2 : 1);
    long long exponent = 0;
    if (std::from_chars(first, t.data() + t.size(), exponent).ec != std::errc())
      exponent = *first == '-' ? -kHugeExponent : kHugeExponent;  // only its sign matters
    magnitude += exponent;
  }
  return magnitude > 0 ? HUGE_VALL : 0.0L;
}

/// The value of a text that NumberLength accepted in full, with "." as point.
/// Read as a double, which is fast; near the largest single it is read again
/// in extended precision, as the fields are: a double could round a text just
/// below halfway past the largest single onto halfway, and that rounds on to
/// infinity.
long double Convert(std::string_view t) {
  bool negative = false;
  if (t.front() == '+' || t.front() == '-') {
    negative = t.front() == '-';
    t.remove_prefix(1);
  }
  constexpr double kNearLargestSingle = 3.4e38;
  long double value = 0;
  double fast = 0;
  const auto read = std::from_chars(t.data(), t.data() + t.size(), fast);
  if (read.ec == std::errc() && fast < kNearLargestSingle) {
    value = fast;
  } else if (std::from_chars(t.data(), t.data() + t.size(), value).ec == std::errc::result_out_of_range) {
    value = OutOfRange(t);
  }
  return negative ? -value : value;
}

}  // namespace

std::string_view TrimControlBytes(std::string_view text) {
  std::size_t b = 0, e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= 32) ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= 32) --e;
  return text.substr(b, e - b);
}

std::optional<long double> ReadWholeNumber(std::string_view text, char point) {
  if (text.empty() || NumberLength(text, point) != text.size()) return std::nullopt;
  if (point == '.') return Convert(text);
  std::string dotted(text);
  for (char& c : dotted)
    if (c == point) c = '.';
  return Convert(dotted);
}

bool IsUnitText(std::string_view rest) {
  if (rest.empty()) return false;
  const char first = rest.front();
  if (first == '.' || first == ',' || first == 'e' || first == 'E' || first == '+' || first == '-') return false;
  return !HasDigit(rest) && rest.find_first_of(",;:=") == std::string_view::npos;
}

TWireNumber ReadWireNumber(std::string_view text) {
  if (text.empty()) return {0.0L, false};
  const std::size_t dotted = NumberLength(text, '.');
  if (dotted == text.size()) return {Convert(text), true};
  const std::size_t commaed = NumberLength(text, ',');
  const std::size_t n = std::max(dotted, commaed);
  if (n == 0) return {};
  const std::optional<long double> value = ReadWholeNumber(text.substr(0, n), dotted >= commaed ? '.' : ',');
  const std::string_view rest = text.substr(n);
  if (rest.empty()) return {value, true};
  if (IsUnitText(rest)) return {value, true, TrimControlBytes(rest)};
  if (IsLetter(rest.front()) && HasDigit(rest)) return {};  // "0x10", "9abc:5": a word, not a number
  return {value, false};
}

}  // namespace kurvex
