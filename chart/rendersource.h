// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "chart/curvesource.h"
#include "chart/pixelmapper.h"
#include "chart/polylinebatch.h"
#include "platform/drawing/canvas.h"

namespace kurvex {

class TCustomChartControl;

/// Draws the visible curves of a source, each on its layer, for one render pass.
/// Where the plot shows at most two samples per pixel column, each curve is
/// the polyline through its samples (a gap breaks it, a sample between two
/// gaps is a dot); where it shows more, it is the envelope of each column: a
/// line from the column's least to its greatest value, joined to the next
/// column, so no peak is lost however many samples a column holds (a column
/// between gaps whose values share a pixel is a dot). GUI thread only.
class TSourceRenderer {
 public:
  /// Control pixel (px, py) lands on canvas pixel (px - LRim + offX,
  /// py - TRim + offY); with blackAndWhite the curves are black and dashed.
  TSourceRenderer(TCanvas& canvas, const TCustomChartControl& chart, int offX, int offY, bool blackAndWhite);
  void Render(const TCurveSource& source);

 private:
  TPoint Pixel(double x, double y) const;
  /// Draws the waiting line, or the dot of a sample that has none.
  void EndLine();
  void DrawPoints(const TCurveSource& source, std::size_t curve, double from, double to);
  void DrawEnvelope(const TCurveSource& source, std::size_t curve, double from, double to, int columns);

  const TCustomChartControl& m_chart;
  int m_shiftX, m_shiftY;
  bool m_blackAndWhite;
  TPixelMapper m_mapper;
  TPolylineBatch m_batch;
  std::vector<TSourcePoint> m_points;
  std::vector<TColumnSpan> m_columns;
  int m_layer = 1;  // the curve's, whose Y transformation maps it
  bool m_lone = false;  // the line so far is one sample (or one column in one pixel)
};

}  // namespace kurvex
