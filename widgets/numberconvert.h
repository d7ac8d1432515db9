// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/system/error.h"

namespace kurvex {

/// A text that does not read as a number. The message is the one the user
/// sees: "'<text>' ist kein gültiger Gleitkommawert".
class EConvertError : public EKurvexError {
 public:
  explicit EConvertError(const std::string& text);
};

/// Reads a floating-point number written with `decimalSeparator`: optional
/// blanks, an optional sign, digits with at most one separator among them
/// (at least one digit), an optional exponent ("E" or "e", optional sign,
/// digits) and optional blanks; nothing else, so no thousands separators.
/// A value beyond the range of long double is an error, one too small for it
/// reads as 0. Throws EConvertError naming the text.
long double StrToFloat(const std::string& text, char decimalSeparator);
/// The same with the system locale's decimal separator. GUI thread.
long double StrToFloat(const std::string& text);

/// `value` in fixed notation with exactly `decimals` (0 or more) decimals,
/// `decimalSeparator` between the parts and no digit grouping:
/// FormatFixed(10, 9, ',') is "10,000000000". A value that rounds to zero is
/// written without a sign: FormatFixed(-0.0, 2, ',') is "0,00".
std::string FormatFixed(long double value, int decimals, char decimalSeparator);

}  // namespace kurvex
