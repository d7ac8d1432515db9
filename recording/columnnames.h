// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace kurvex {

/// The words a recording's header is made of: the recorder writes them, the
/// chart's CSV export speaks them, and opening a recording reads them back.

/// The columns every recording begins with; each curve's raw and scaled
/// value follow.
inline constexpr std::array<std::string_view, 3> kRecordingLeadColumns{"Nr", "Zeit (ISO 8601, Ortszeit)",
                                                                        "Sekunden seit Start"};

/// What the window and the files call curve `curve` (0-based): its name
/// from the instrument, or "Kanal n" until it has one.
std::string CurveLabel(std::size_t curve, const std::string& name);

/// The columns of one curve's values: "Rohwert <label>" and "Wert <label>
/// (skaliert)"; without a label (the one curve without a name) "Rohwert"
/// and "Wert (skaliert)". A unit follows the scaled value's name: "Wert
/// Temp (skaliert) [°C]".
std::string RawValueColumn(std::string_view label);
std::string ScaledValueColumn(std::string_view label, std::string_view unit = {});
/// The unit a scaled value's column names ("°C" of "Wert Temp (skaliert)
/// [°C]"); empty when it names none.
std::string UnitOfScaledColumn(std::string_view column);

}  // namespace kurvex
