// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/chartenums.h"
#include "platform/windows/control.h"

namespace kurvex {

/// The chart's own pointer shapes, registered under these screen cursor ids.
inline constexpr TCursor crChartPan = 1;          ///< open hand: the pan modes
inline constexpr TCursor crChartZoomWind = 2;     ///< magnifier with a frame: rubber band
inline constexpr TCursor crChartZoomDrag = 3;     ///< magnifier with arrows: zoom drag
inline constexpr TCursor crChartZoomWindPos = 4;  ///< magnifier with a frame and plus: rubber band keeping directions

/// Registers the four images (again, harmlessly, for every further chart).
/// GUI thread, or before the application exists.
void RegisterChartCursors();

/// The pointer a chart shows over its plot area in a mouse mode; `keep`
/// for the modes that leave the pointer as it is.
TCursor ChartModeCursor(TMouseActMode mode, TCursor keep);

}  // namespace kurvex
