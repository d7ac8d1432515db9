// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "intake/intakestate.h"

namespace kurvex {

/// The acquisition record of the main window, shared by its handlers: what
/// the sample path publishes, and the graph limits.
/// Floating-point values are single precision, as the window stores them.
struct TSessionState : TIntakeState {
  float GraphXMax = 0.0f;
  float GraphYMax = 0.0f;
  float GraphYMin = 0.0f;
};

}  // namespace kurvex
