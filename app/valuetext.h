// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace kurvex {

/// A value in the general format of the current-value display: at most 15
/// significant digits, no trailing zeros, `decimalSeparator` as separator;
/// fixed notation for 0 and magnitudes from 0.0001 below 1e15, otherwise
/// scientific as in "1,5E20" or "-2E-5".
std::string GeneralValueText(double value, char decimalSeparator);

/// A single-precision value with as many digits as it needs to be read back
/// as the same float ("6,992", not "6,99200010299683"), `decimalSeparator`
/// as separator, a large or tiny one as "1,5E20".
std::string ShortValueText(float value, char decimalSeparator);

/// The local time of day with milliseconds, "10:15:00,123".
std::string TimeOfDayText(std::int64_t wallNs, char decimalSeparator);

/// Seconds as a clock shows them, with milliseconds: "00:01:05,250",
/// "26:00:00,000" a day and two hours on; "-00:00:01,000" before zero.
std::string ClockText(double seconds, char decimalSeparator);

}  // namespace kurvex
