// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "platform/system/serialdevice.h"

namespace kurvex {

/// The CE_ error bits for the receive errors counted between two readings of
/// the driver's counters: frame → CE_FRAME, overrun → CE_OVERRUN, parity →
/// CE_RXPARITY, break → CE_BREAK, input queue overflow → CE_RXOVER.
std::uint32_t LineErrorBits(const LineCounters& before, const LineCounters& after);

/// The EV_ line events between two readings: CTS, DSR, RLSD and RING
/// transitions, a break, and EV_ERR for a frame, overrun or parity error.
std::uint32_t LineEventBits(const LineCounters& before, const LineCounters& after);

/// The EV_ bits LineEventBits can report; watching any of them needs the
/// counters read periodically.
std::uint32_t CounterEventMask();

}  // namespace kurvex
