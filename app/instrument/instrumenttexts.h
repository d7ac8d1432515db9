// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <cstdint>
#include <span>

#include "app/instrument/monitorlog.h"
#include "app/instrument/querypacer.h"
#include "platform/system/translate.h"

namespace kurvex {

/// Why a typed command is not sent: it holds an escape that is none.
std::string BadEscapeText(const std::string& typed, const std::string& badEscape);
/// Why a command is not sent: the queue for the line is full.
std::string SendQueueFullText();
/// Shown while queued bytes wait for a line that does not take them.
inline constexpr TText kSendStalledText = TrNoop("Instrument", "Senden hängt");
/// Why the command field is disabled.
inline constexpr TText kPortClosedText =
    TrNoop("Instrument", "Senden ist möglich, solange erfasst wird (nach Start).");

/// The monitor's columns: the time, the bytes with their control characters
/// made visible (a sent command marked "→"), and what the line became
/// ("12,5", "a = 1; b = 2", or why none).
enum class TMonitorColumn : std::uint8_t { Time, Line, Outcome };
/// One cell of an entry; `names` are the curves' names (empty: "Kurve N").
std::string MonitorCell(const TMonitorEntry& entry, TMonitorColumn column, std::span<const std::string> names,
                        char decimalSeparator);

/// "Antwortzeit: zuletzt 12,0 ms · Median 11,5 ms · max 30,2 ms", or
/// "Antwortzeit: –" before the first answer.
std::string RoundTripText(const TQueryPacer::TRoundTrips& trips, char decimalSeparator);

}  // namespace kurvex
