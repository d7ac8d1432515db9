// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/tickformat.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace kurvex {

namespace {

constexpr double kZeroRatio = 1e-14;
constexpr double kWideRange = 100000;

// std::to_chars never looks at the C locale, which the GUI toolkit sets from
// the environment (a German locale would give a decimal comma).
std::string ToChars(double v, std::chars_format format, int precision) {
  char buffer[400];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, v, format, precision);
  return std::string(buffer, result.ptr);
}

// Sign, digit, ".", digit, "E", exponent sign and two digits.
constexpr std::size_t kScientificLength = 8;

std::string Scientific(double v) {
  std::string digits = ToChars(std::fabs(v), std::chars_format::scientific, 1);
  digits[digits.find('e')] = 'E';
  std::string text = (v < 0 ? "-" : " ") + digits;
  // A three-digit exponent does not fit the form: the row of "*" says so.
  if (text.size() > kScientificLength) text.assign(kScientificLength, '*');
  return text;
}

std::string Cut(std::string text) {
  if (text.size() > kMaxTickLabelLength) text.resize(kMaxTickLabelLength);
  return text;
}

}  // namespace

int AutoDecimals(int decPlaces, double high, double low) {
  if (decPlaces != -2 && decPlaces != -3) return decPlaces;
  const long double r = std::fabs(static_cast<long double>(high) - low);
  if (r >= 1000000 || r <= 0.0001) return -1;
  if (r >= 100) return 0;
  return 2 - static_cast<int>(std::nearbyint(std::log(r) / 2.5L));
}

int LogAutoDecimals(int decPlaces, double lo, double hi) {
  if (decPlaces != -2) return decPlaces;
  const long double r = static_cast<long double>(hi) - lo;
  if (r >= 1000000 || r <= 0.0001) return -1;
  if (lo >= 1) return 0;
  return 1 - static_cast<int>(std::nearbyint(std::log10(std::fabs(static_cast<long double>(lo)))));
}

std::string FormatTickValue(double v, int n) {
  if (n < 0) return Scientific(v);
  return ToChars(v, std::chars_format::fixed, n);
}

std::string LinearTickLabel(double v, double high, double low, int decimals) {
  const double range = high - low;
  if (std::fabs(v / range) < kZeroRatio) {
    if (std::fabs(range) > kWideRange) return decimals == 0 ? "0" : "0.0";
    v = 0;
  }
  return Cut(FormatTickValue(v, decimals));
}

std::string LogTickLabel(double v, int decimals, bool trimZeros) {
  std::string text = Cut(FormatTickValue(v, decimals));
  if (trimZeros && text.find('.') != std::string::npos &&
      text.find_first_of("eE") == std::string::npos) {
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
  }
  return text;
}

std::string UserTickItem(std::string_view text, int n) {
  std::size_t start = 0;
  for (int item = 1; item < n; ++item) {
    const std::size_t bar = text.find('|', start);
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  const std::size_t end = text.find('|', start);
  return std::string(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

std::string ApplyInscript(const std::string& label, std::string_view inscript) {
  if (label.empty() || inscript.empty()) return label;
  const std::size_t amp = inscript.find('&');
  std::string text;
  text.reserve(inscript.size() + label.size());
  if (amp == std::string_view::npos) return text.append(inscript).append(label);
  return text.append(inscript.substr(0, amp)).append(label).append(inscript.substr(amp + 1));
}

std::string TimeTickLabel(double seconds, bool milliseconds) {
  // Rounded to the label's resolution before splitting: a tick computed as
  // 19.9999999 s is the 20 s tick, not 00:00:19 (or 00:00:19.1000).
  const long double magnitude = std::fabs(static_cast<long double>(seconds));
  const long long units = std::llround(milliseconds ? magnitude * 1000 : magnitude);
  const long long whole = milliseconds ? units / 1000 : units;
  char buffer[64];
  int length = std::snprintf(buffer, sizeof buffer, "%c%02lld:%02lld:%02lld", seconds < 0 ? '-' : ' ',
                             whole / 3600, whole / 60 % 60, whole % 60);
  if (milliseconds)
    std::snprintf(buffer + length, sizeof buffer - length, ".%03lld", units % 1000);
  return buffer;
}

}  // namespace kurvex
