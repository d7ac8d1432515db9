// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

#include "platform/drawing/color.h"

namespace kurvex {

/// The colour of curve `curve` (0-based): the first keeps the acquisition's
/// blue; the others come from palettes chosen so that people with a colour
/// vision deficiency can still tell them apart.
TColor CurveColor(std::size_t curve);

}  // namespace kurvex
