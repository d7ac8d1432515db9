// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace kurvex {

/// How the plot area's grid is drawn.
enum GridStyleType : std::uint8_t {
  gsNone, gsPoints, gsVertLines, gsHorizLines, gsLines, gsHorizDotLines, gsVertDotLines, gsDotLines
};

/// What dragging with the left mouse button does in the chart.
enum TMouseActMode : std::uint8_t {
  maNone, maPan, maPanHoriz, maPanVert, maRubberBand, maZoom, maZoomWind, maZoomWindPos,
  maZoomDrag, maDragCrossH, maDragLabel, maRotate, maRotAndZoom, maRotXOnly, maRotZOnly
};

}  // namespace kurvex
