// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "serial/commtypes.h"

namespace kurvex {

/// The EV_ event mask watched for `states`: EV_RXCHAR always; EV_TXEMPTY also
/// when the component toggles RTS itself in RS-485 mode.
std::uint32_t EventMaskFor(TTraceStates states, bool rs485Mode, bool manualRtsToggle);

/// The line events of an EV_ mask as trace states; EV_RXCHAR and EV_TXEMPTY
/// have no trace state of their own and are left out.
TTraceStates TraceStatesForEvents(std::uint32_t mask);

}  // namespace kurvex
