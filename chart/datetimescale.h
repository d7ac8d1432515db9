// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "chart/ticklayout.h"

namespace kurvex {

/// Tick unit of a date/time scale, chosen from the days per tick.
enum TDateGranularity { dgHundredths, dgSeconds, dgMinutes, dgHours, dgDays, dgMonths, dgYears };

/// The granularity for daysPerTick (more than a hundredth of a second).
TDateGranularity DateGranularity(double daysPerTick);

/// Formatter pattern of the time labels of a time-of-day granularity.
std::string TimeLabelPattern(TDateGranularity g, const TDTLabelFormat& f);

/// Formatter pattern of a full date (day granularity and DateForTime).
std::string DateLabelPattern(const TDTLabelFormat& f);

/// Lays out the ticks of a date/time scale (values are day numbers with the
/// time of day as fraction). An unusable range gives no ticks but the lines
/// "invalid" "DateTime" "scale" (reversed, before year 1, beyond day
/// 3000000) or "DateTime" "range is" "below 1" "second" in the message.
void LayoutDateTimeTicks(const TTickParams& p, TTickLayout& layout);

}  // namespace kurvex
