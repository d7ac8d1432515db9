// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/numberconvert.h"

#include <algorithm>
#include <charconv>
#include <system_error>

#include "platform/system/localeformat.h"
#include "platform/system/translate.h"

namespace kurvex {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The number in the form std::from_chars reads, plus the decimal exponent of
// its leading digit, which tells an overflow from an underflow.
struct PlainNumber {
  std::string Text;
  long Magnitude = 0;
};

// Checks the grammar by hand: from_chars alone would accept "inf", hex
// digits and a missing mantissa, and it never knows the local separator.
bool Parse(const std::string& text, char decimalSeparator, PlainNumber& number) {
  std::size_t i = text.find_first_not_of(' ');
  const std::size_t end = text.find_last_not_of(' ') + 1;
  if (i == std::string::npos) return false;
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
  std::string digits;
  long pointAt = -1;  // digits before the separator, once one was seen
  for (; i < end && (IsDigit(text[i]) || text[i] == decimalSeparator); ++i) {
    if (text[i] != decimalSeparator) {
      digits += text[i];
    } else if (pointAt >= 0) {
      return false;
    } else {
      pointAt = static_cast<long>(digits.size());
    }
  }
  if (digits.empty()) return false;
  if (pointAt < 0) pointAt = static_cast<long>(digits.size());
  long exponent = 0;
  if (i < end && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < end && (text[i] == '+' || text[i] == '-')) negativeExponent = text[i++] == '-';
    const std::size_t first = i;
    // Saturates: an exponent this large is out of range either way.
    for (; i < end && IsDigit(text[i]); ++i) exponent = std::min(exponent * 10 + (text[i] - '0'), 100000L);
    if (i == first) return false;
    if (negativeExponent) exponent = -exponent;
  }
  if (i != end) return false;

  const std::size_t lead = digits.find_first_not_of('0');
  number.Magnitude = lead == std::string::npos
                         ? 0
                         : pointAt - static_cast<long>(lead) + exponent;
  // The added zeros give both parts a digit ("1," and ",5" are numbers too).
  const auto split = static_cast<std::size_t>(pointAt);
  number.Text = (negative ? "-0" : "0") + digits.substr(0, split) + "." + digits.substr(split) +
                "0e" + std::to_string(exponent);
  return true;
}

}  // namespace

EConvertError::EConvertError(const std::string& text)
    : EKurvexError(Fill(Tr("NumberField", "'%1' ist kein gültiger Gleitkommawert"), {text})) {}

long double StrToFloat(const std::string& text, char decimalSeparator) {
  PlainNumber number;
  if (!Parse(text, decimalSeparator, number)) throw EConvertError(text);
  long double value = 0;
  const char* first = number.Text.data();
  const auto [ptr, ec] = std::from_chars(first, first + number.Text.size(), value);
  static_cast<void>(ptr);
  if (ec == std::errc::result_out_of_range) {
    if (number.Magnitude > 0) throw EConvertError(text);
    return number.Text[0] == '-' ? -0.0L : 0.0L;
  }
  return value;
}

long double StrToFloat(const std::string& text) { return StrToFloat(text, DecimalSeparator()); }

std::string FormatFixed(long double value, int decimals, char decimalSeparator) {
  // Room for the largest long double (4933 integer digits), sign and point.
  std::string buffer(4940 + static_cast<std::size_t>(std::max(decimals, 0)), '\0');
  const auto [ptr, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::fixed, std::max(decimals, 0));
  static_cast<void>(ec);
  buffer.resize(static_cast<std::size_t>(ptr - buffer.data()));
  // Negative zero and negative values that round to zero carry no sign.
  if (buffer.front() == '-' && buffer.find_first_not_of("0.", 1) == std::string::npos) buffer.erase(0, 1);
  std::replace(buffer.begin(), buffer.end(), '.', decimalSeparator);
  return buffer;
}

}  // namespace kurvex
