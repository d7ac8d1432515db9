// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/eventmask.h"

#include <array>
#include <utility>

#include "serial/win32comm.h"

namespace kurvex {

namespace {

// Both directions of the mapping. tsRxChar and tsTxEmpty are absent: EV_RXCHAR is always on, EV_TXEMPTY has
// its own condition. The bits are not the ordinals: EV 0x200 is skipped.
constexpr std::array<std::pair<TTraceState, std::uint32_t>, 10> kEventBits = {{
    {tsRxFlag, EV_RXFLAG},
    {tsCTS, EV_CTS},
    {tsDSR, EV_DSR},
    {tsRLSD, EV_RLSD},
    {tsBreak, EV_BREAK},
    {tsErr, EV_ERR},
    {tsRing, EV_RING},
    {tsRx80Full, EV_RX80FULL},
    {tsEvent1, EV_EVENT1},
    {tsEvent2, EV_EVENT2},
}};

}  // namespace

std::uint32_t EventMaskFor(TTraceStates states, bool rs485Mode, bool manualRtsToggle) {
  std::uint32_t mask = EV_RXCHAR;
  if (states.Contains(tsTxEmpty) || (rs485Mode && manualRtsToggle)) {
    mask |= EV_TXEMPTY;
  }
  for (const auto& [state, bit] : kEventBits) {
    if (states.Contains(state)) {
      mask |= bit;
    }
  }
  return mask;
}

TTraceStates TraceStatesForEvents(std::uint32_t mask) {
  TTraceStates states;
  for (const auto& [state, bit] : kEventBits) {
    if ((mask & bit) != 0) {
      states.Include(state);
    }
  }
  return states;
}

}  // namespace kurvex
