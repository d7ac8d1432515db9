// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/drawing/color.h"

namespace kurvex {

/// What the curve settings tell the user, worded once.

/// Applied while acquiring: the scaling and the unit apply from the next Start.
std::string CurveScaleFromNextStartText();
/// Y Log while the right axis shows values of 0 or below.
std::string RightLogRefusal();
/// A right-axis range whose low end is not below its high end.
std::string RightRangeRefusal();
/// A factor of 0, which would flatten the curve.
std::string ZeroFactorRefusal();
/// A field whose text is not a number: "Faktor" is no number.
std::string NotANumberRefusal(const std::string& field);
/// A unit or name longer than an instrument's line may give.
std::string TooLongRefusal(const std::string& field, std::size_t maxBytes);
/// A number beyond what the field keeps (single precision for a factor).
std::string TooLargeRefusal(const std::string& field);

/// The name of the palette's colour `curve` (0-based, as CurveColor).
std::string CurveColorName(std::size_t curve);
/// A colour outside the palette, "#rrggbb".
std::string OtherColorText(TColor color);

}  // namespace kurvex
