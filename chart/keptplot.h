// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <vector>

#include "chart/chartitem.h"
#include "chart/layertransform.h"
#include "platform/drawing/geometry.h"

namespace kurvex {

/// What a chart's plot picture was rendered from, as far as a later render
/// that only moves it along X or adds to it must know to keep the rest.
struct TKeptPlot {
  int Width = 0, Height = 0;  ///< the window's picture
  double Scale = 1;
  TRect Plot;  ///< the plot picture in control pixels
  std::array<TAxisTransform, kLayerCount> X{}, Y{};
  std::vector<double> GridX;  ///< where the vertical grid lines stand
};

}  // namespace kurvex
