// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

#include "chart/chartcontrol.h"

namespace kurvex {

/// The layer whose axes the chart draws `curve` against: its curve
/// source's while it draws one, else that of the curve's newest line item;
/// 1 without either.
int CurveLayer(const TCustomChartControl& chart, std::size_t curve);

}  // namespace kurvex
