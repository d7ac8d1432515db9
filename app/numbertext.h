// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace kurvex {

/// The integer value of a combo box text, read as far as it goes: optional
/// blanks and sign, decimal digits, or hexadecimal digits after "$", "x" or
/// "0x". A text that does not start like a number gives 0; nothing is reported.
std::int64_t LeadingInteger(const std::string& text);

/// A number written with the system locale's decimal separator, shortest
/// form ("0,1", "1000"), for writing into a numeric field.
std::string LocaleNumberText(double value);

/// A count with "." between groups of three digits, as the window's German
/// texts write it ("123.456").
std::string GroupedCount(std::int64_t count);

}  // namespace kurvex
