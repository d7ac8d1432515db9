// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/numbertext.h"

#include <cctype>
#include <cstdio>

#include "platform/system/localeformat.h"

namespace kurvex {

namespace {
int DigitValue(char c, int base) {
  int v;
  if (c >= '0' && c <= '9') v = c - '0';
  else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
  else return -1;
  return v < base ? v : -1;
}
}  // namespace

std::int64_t LeadingInteger(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16, ++i;
  } else if (i < text.size() && (text[i] == 'x' || text[i] == 'X')) {
    base = 16, ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16, i += 2;
  }
  // Saturate rather than overflow on absurdly long digit strings.
  constexpr std::int64_t kLimit = INT64_MAX / 16;
  std::int64_t value = 0;
  for (int d; i < text.size() && (d = DigitValue(text[i], base)) >= 0; ++i)
    value = value > kLimit ? INT64_MAX : value * base + d;
  return negative ? -value : value;
}

std::string LocaleNumberText(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15g", value);
  std::string text = buffer;
  // The C library writes the locale's decimal point, which need not be ours.
  for (char& c : text)
    if (c == '.' || c == ',') c = DecimalSeparator();
  return text;
}

std::string GroupedCount(std::int64_t count) {
  const std::string digits = std::to_string(count < 0 ? -count : count);
  std::string text = count < 0 ? "-" : "";
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += '.';
    text += digits[i];
  }
  return text;
}

}  // namespace kurvex
