// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/linecounters.h"

#include "serial/win32comm.h"

namespace kurvex {

namespace {

// Counts only ever grow, but they wrap; a change is what matters.
std::uint32_t BitIfChanged(std::uint32_t before, std::uint32_t after, std::uint32_t bit) {
  return before != after ? bit : 0;
}

}  // namespace

std::uint32_t LineErrorBits(const LineCounters& before, const LineCounters& after) {
  return BitIfChanged(before.Frame, after.Frame, CE_FRAME) |
         BitIfChanged(before.Overrun, after.Overrun, CE_OVERRUN) |
         BitIfChanged(before.Parity, after.Parity, CE_RXPARITY) |
         BitIfChanged(before.Break, after.Break, CE_BREAK) |
         BitIfChanged(before.BufferOverrun, after.BufferOverrun, CE_RXOVER);
}

std::uint32_t LineEventBits(const LineCounters& before, const LineCounters& after) {
  const std::uint32_t receiveErrors = BitIfChanged(before.Frame, after.Frame, EV_ERR) |
                                      BitIfChanged(before.Overrun, after.Overrun, EV_ERR) |
                                      BitIfChanged(before.Parity, after.Parity, EV_ERR);
  return BitIfChanged(before.Cts, after.Cts, EV_CTS) | BitIfChanged(before.Dsr, after.Dsr, EV_DSR) |
         BitIfChanged(before.Rlsd, after.Rlsd, EV_RLSD) |
         BitIfChanged(before.Ring, after.Ring, EV_RING) |
         BitIfChanged(before.Break, after.Break, EV_BREAK) | receiveErrors;
}

std::uint32_t CounterEventMask() { return EV_CTS | EV_DSR | EV_RLSD | EV_RING | EV_BREAK | EV_ERR; }

}  // namespace kurvex
