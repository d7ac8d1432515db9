// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/valuetext.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace kurvex {

namespace {

constexpr std::int64_t kNsPerSecond = 1'000'000'000;
constexpr std::int64_t kNsPerMs = 1'000'000;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

constexpr int kDigits = 15;

/// The digits and decimal exponent of `value` rounded to at most 15
/// significant digits, trailing zeros removed; value must not be 0.
struct Decimal {
  bool negative = false;
  char digits[20] = {};
  int count = 0;
  int exponent = 0;  ///< of the first digit
};

/// Writes the %g-style layout with `separator`, exponent as "E7" / "E-5".
std::string Layout(const Decimal& d, char separator) {
  char out[48];
  char* o = out;
  if (d.negative) *o++ = '-';
  if (d.exponent >= -4 && d.exponent < kDigits) {
    if (d.exponent < 0) {
      *o++ = '0';
      *o++ = separator;
      for (int i = -1; i > d.exponent; --i) *o++ = '0';
      for (int i = 0; i < d.count; ++i) *o++ = d.digits[i];
    } else {
      for (int i = 0; i <= d.exponent; ++i) *o++ = i < d.count ? d.digits[i] : '0';
      if (d.count > d.exponent + 1) {
        *o++ = separator;
        for (int i = d.exponent + 1; i < d.count; ++i) *o++ = d.digits[i];
      }
    }
  } else {
    *o++ = d.digits[0];
    if (d.count > 1) {
      *o++ = separator;
      for (int i = 1; i < d.count; ++i) *o++ = d.digits[i];
    }
    *o++ = 'E';
    o = std::to_chars(o, out + sizeof out, d.exponent).ptr;
  }
  return std::string(out, o);
}

/// Exact rounding through the C library: slow, used where the fast path
/// cannot be sure.
Decimal ExactDecimal(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.*e", kDigits - 1, value);
  Decimal d;
  const char* p = text;
  if (*p == '-') d.negative = true, ++p;
  // The C library writes the locale's decimal point (a comma in a German
  // session): only the digits count.
  for (; *p != 'e'; ++p)
    if (*p >= '0' && *p <= '9') d.digits[d.count++] = *p;
  std::from_chars(p + 1 + (p[1] == '+'), text + sizeof text, d.exponent);
  while (d.count > 1 && d.digits[d.count - 1] == '0') --d.count;
  return d;
}

/// From the shortest round-trip digits (at most 17). Rounding those to 15
/// digits matches rounding the exact value unless digits 16 and 17 lie
/// within the shortest form's error (half an ulp, at most about 11 units of
/// digit 17) of a tie.
Decimal FastDecimal(double value, bool& sure) {
  char text[40];
  const char* end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific).ptr;
  Decimal d;
  const char* p = text;
  if (*p == '-') d.negative = true, ++p;
  char all[20];
  int n = 0;
  for (; *p != 'e'; ++p)
    if (*p != '.') all[n++] = *p;
  std::from_chars(p + 1 + (p[1] == '+'), end, d.exponent);
  sure = true;
  if (n > kDigits) {
    const int tail = (all[kDigits] - '0') * 10 + (n > kDigits + 1 ? all[kDigits + 1] - '0' : 0);
    // Half an ulp is below 1.12 * (first digit + 1) units of digit 17.
    const int margin = ((all[0] - '0' + 1) * 112 + 99) / 100;
    if (tail >= 50 - margin && tail <= 50 + margin) {
      sure = false;
      return d;
    }
    n = kDigits;
    if (tail > 50) {
      int i = n - 1;
      while (i >= 0 && all[i] == '9') all[i--] = '0';
      if (i >= 0) {
        ++all[i];
      } else {
        all[0] = '1';
        ++d.exponent;
      }
    }
  }
  while (n > 1 && all[n - 1] == '0') --n;
  for (int i = 0; i < n; ++i) d.digits[i] = all[i];
  d.count = n;
  return d;
}

// "hh:mm:ss,mmm" of `ms` milliseconds (not negative), hours past 24 as they come.
std::string ClockTextOfMs(long long ms, char decimalSeparator) {
  char text[48];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld%c%03lld", ms / 3'600'000, ms / 60'000 % 60, ms / 1000 % 60,
                decimalSeparator, ms % 1000);
  return text;
}

}  // namespace

std::string GeneralValueText(double value, char decimalSeparator) {
  if (value == 0) return "0";
  bool sure;
  Decimal d = FastDecimal(value, sure);
  if (!sure) d = ExactDecimal(value);
  return Layout(d, decimalSeparator);
}

std::string ShortValueText(float value, char decimalSeparator) {
  char text[32];
  char* end = std::to_chars(text, text + sizeof text, value).ptr;
  for (char* c = text; c != end; ++c) {
    if (*c == '.') *c = decimalSeparator;
    if (*c == 'e') *c = 'E';
  }
  std::string result(text, end);
  // "1E+20" reads as "1E20", as the large display writes it.
  if (const std::size_t plus = result.find("E+"); plus != std::string::npos) result.erase(plus + 1, 1);
  return result;
}

std::string TimeOfDayText(std::int64_t wallNs, char decimalSeparator) {
  const std::int64_t second = FloorDiv(wallNs, kNsPerSecond);
  const auto seconds = static_cast<std::time_t>(second);
  std::tm local{};
  ::localtime_r(&seconds, &local);
  const long long secondOfDay = local.tm_hour * 3600LL + local.tm_min * 60LL + local.tm_sec;
  return ClockTextOfMs(secondOfDay * 1000 + (wallNs - second * kNsPerSecond) / kNsPerMs, decimalSeparator);
}

std::string ClockText(double seconds, char decimalSeparator) {
  if (!std::isfinite(seconds)) return "–";
  const long long ms = std::llround(std::fabs(seconds) * 1000);
  return (seconds < 0 && ms > 0 ? "-" : "") + ClockTextOfMs(ms, decimalSeparator);
}

}  // namespace kurvex
