// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/rendersource.h"

#include <algorithm>
#include <cmath>

#include "chart/chartcontrol.h"
#include "chart/renderitems.h"

namespace kurvex {

namespace {

// Up to this many samples per pixel column a curve is drawn through its
// samples; beyond it the envelope shows the same pixels at a fixed cost.
constexpr double kSamplesPerColumnForPoints = 2;

}  // namespace

TSourceRenderer::TSourceRenderer(TCanvas& canvas, const TCustomChartControl& chart, int offX, int offY,
                                 bool blackAndWhite)
    : m_chart(chart),
      m_shiftX(offX - chart.LRim()),
      m_shiftY(offY - chart.TRim()),
      m_blackAndWhite(blackAndWhite),
      m_mapper(chart),
      m_batch(canvas) {}

TPoint TSourceRenderer::Pixel(double x, double y) const {
  const TPoint p = m_mapper.Map(m_layer, x, y);
  return {std::clamp(p.X, -kPixelLimit, kPixelLimit) + m_shiftX, std::clamp(p.Y, -kPixelLimit, kPixelLimit) + m_shiftY};
}

void TSourceRenderer::Render(const TCurveSource& source) {
  const TScalePropsHoriz& x = m_chart.ScaleX(1);
  const double low = x.RangeLow(), high = x.RangeHigh();
  const int pixelLow = m_mapper.Map(1, low, 0).X, pixelHigh = m_mapper.Map(1, high, 0).X;
  if (pixelLow == pixelHigh) return;
  // The plot's pixel columns, each half a pixel either side of its centre.
  const double perPixel = (high - low) / (pixelHigh - pixelLow);
  const int left = m_chart.LRim(), columns = std::max(m_chart.PlotWidth(), 0) + 1;
  double from = low + (left - pixelLow - 0.5) * perPixel;
  double to = from + columns * perPixel;
  if (from > to) std::swap(from, to);
  const bool dense = static_cast<double>(source.SampleCount(from, to)) > kSamplesPerColumnForPoints * columns;
  for (std::size_t curve = 0; curve < source.Curves(); ++curve) {
    if (curve > 255 || !m_chart.CurveVisible(static_cast<std::uint8_t>(curve))) continue;
    m_layer = source.CurveLayer(curve);
    const TColor color = m_blackAndWhite ? clBlack : source.CurveColor(curve);
    const int width = std::clamp(m_chart.LineWidth(), 1, 255);
    m_batch.SetPen(TPen{color, CurveLineStyle(curve, m_chart.PenStyle(), m_blackAndWhite), width, pmCopy});
    if (dense) {
      DrawEnvelope(source, curve, from, to, columns);
    } else {
      DrawPoints(source, curve, from, to);
    }
  }
}

void TSourceRenderer::EndLine() {
  m_batch.Flush();
  if (m_lone) m_batch.DrawDot();
  m_lone = false;
}

void TSourceRenderer::DrawPoints(const TCurveSource& source, std::size_t curve, double from, double to) {
  m_points.clear();
  source.Points(curve, from, to, m_points);
  bool open = false;
  for (const TSourcePoint& point : m_points) {
    if (std::isnan(point.Y)) {
      EndLine();
      open = false;
      continue;
    }
    const TPoint p = Pixel(point.X, point.Y);
    if (!open) {
      m_batch.SetCurrent(p);
      open = m_lone = true;
      continue;
    }
    m_batch.Add(&p, 1);
    m_lone = false;
  }
  EndLine();
}

void TSourceRenderer::DrawEnvelope(const TCurveSource& source, std::size_t curve, double from, double to,
                                   int columns) {
  m_columns.assign(static_cast<std::size_t>(columns), TColumnSpan{});
  source.Columns(curve, from, to, m_columns);
  const double width = (to - from) / columns;
  bool open = false;
  int lastY = 0;
  for (int c = 0; c < columns; ++c) {
    const TColumnSpan& span = m_columns[static_cast<std::size_t>(c)];
    if (span.Count == 0) {
      EndLine();
      open = false;
      continue;
    }
    const double centre = from + (c + 0.5) * width;
    TPoint a = Pixel(centre, span.Min), b = Pixel(centre, span.Max);
    // The end nearer to where the line stands comes first, so the join to
    // the next column starts from the far end and covers what lies between.
    if (open && std::abs(b.Y - lastY) < std::abs(a.Y - lastY)) std::swap(a, b);
    // A column between gaps whose values share one pixel draws no line.
    m_lone = !open && a == b;
    if (!open) {
      m_batch.SetCurrent(a);
      open = true;
    } else {
      m_batch.Add(&a, 1);
    }
    m_batch.Add(&b, 1);
    lastY = b.Y;
  }
  EndLine();
}

}  // namespace kurvex
