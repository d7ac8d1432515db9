// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include "chart/scaleprops.h"
#include "chart/scaletypes.h"

namespace kurvex {

/// The seven standard arrangements of rims, chart caption and axes.
enum TChartLayout {
  lay_X1Bottom_Y1Left,
  lay_X1Bottom_Y2Left,
  lay_X1Bottom_Y3Left,
  lay_X1Bottom_Y4Left,
  lay_X1Bottom_Y2Both,
  lay_X2Bottom_Y2Left,
  lay_X2Both_Y2Both,
};

/// Horizontal anchor of the chart caption: control or plot-area edges, or
/// the plot area's centre.
enum TCaptionAnchorHoriz { cahControlLeft, cahChartLeft, cahChartCenter, cahChartRight, cahControlRight };
/// Vertical anchor of the chart caption.
enum TCaptionAnchorVert { cavControlTop, cavChartTop, cavChartCenter, cavChartBottom, cavControlBottom };

/// Location, distance and caption of one axis in a layout.
template <class Location>
struct TAxisLayout {
  bool Visible = false;
  Location Where{};
  int ScalePos = 0;
  int CaptionPosX = 0;
  int CaptionPosY = 0;
  TAlignment CaptionAlignment = taCenter;
  TScaleUnitAnchor CaptionAnchor = uaSclTopLft;
};

/// What a standard layout sets: rims in pixels, the chart caption, and the
/// axes of layers 1..4 (layers 5..16 are hidden).
struct TLayoutValues {
  int BRim = 0, TRim = 0, LRim = 0, RRim = 0;
  int CaptionPosX = 0, CaptionPosY = 0;
  TAlignment CaptionAlignment = taRightJustify;
  TCaptionAnchorHoriz CaptionAnchorHoriz = cahChartRight;
  TCaptionAnchorVert CaptionAnchorVert = cavChartTop;
  std::array<TAxisLayout<TScaleLocationHoriz>, 4> X;
  std::array<TAxisLayout<TScaleLocationVert>, 4> Y;
};

/// The values of one standard layout.
const TLayoutValues& LayoutValues(TChartLayout layout);

}  // namespace kurvex
