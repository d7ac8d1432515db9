// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "intake/intakestate.h"

namespace kurvex {

/// The acquisition record of the main window, shared by its handlers: what
/// the sample path keeps, and the plotting, graph limits and port settings.
/// Floating-point values are single precision, as the window stores them.
struct TSessionState : TIntakeState {
  std::uint32_t TrendFill = 0;
  std::int32_t RedrawCounter = 0;
  std::int32_t RedrawInterval = 0;
  float GraphXMax = 0.0f;
  float GraphYMax = 0.0f;
  float GraphYMin = 0.0f;
  std::int32_t PortNumber = 0;
  std::int32_t BaudRateValue = 0;
  /// Lines of this acquisition left out because a character of theirs was
  /// received with a parity or framing error.
  std::int64_t TransmissionErrors = 0;
};

}  // namespace kurvex
