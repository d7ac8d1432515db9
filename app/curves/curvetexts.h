// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kurvex {

/// What the curve settings tell the user, worded once.

/// A right-axis range whose low end is not below its high end.
std::string RightRangeRefusal();
/// A factor of 0, which would flatten the curve.
std::string ZeroFactorRefusal();
/// A field whose text is not a number: "Faktor" is no number.
std::string NotANumberRefusal(const std::string& field);
/// A unit or name longer than an instrument's line may give.
std::string TooLongRefusal(const std::string& field, std::size_t maxBytes);

}  // namespace kurvex
