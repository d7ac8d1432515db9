// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/grid.h"

#include <algorithm>
#include <cmath>

#include "chart/chartcontrol.h"
#include "chart/pixelmapper.h"
#include "chart/scale.h"

namespace kurvex {

namespace {

constexpr double kDecadeStep = -1, kOneTwoFiveStep = -2, kOneToNineStep = -3;
// log10 of an exact power of ten may come out a hair off the integer.
constexpr double kLogSnap = 1e-14;

struct TDecade {
  double Power;  // 10^f
  double Digit;  // the leading digit m, rounded
};

TDecade DecadeOf(double v, bool snap) {
  double t = std::log10(v);
  if (snap && std::fabs(t - std::nearbyint(t)) < kLogSnap) t = std::nearbyint(t);
  const double f = std::floor(t);
  return {std::pow(10.0, f), std::nearbyint(std::pow(10.0, t - f))};
}

// The painter's ticks, all of them (its position list keeps only 50), in
// drawing order. Those outside the range are left out rather than ending
// the walk, so the ticks of an axis that runs backwards count too.
std::vector<double> PainterTickValues(const TGridAxis& a) {
  std::vector<double> values;
  for (const TTickMark& mark : a.Painter->TickLayout().Marks) {
    if (!mark.Recorded || !(mark.Value >= a.Low && mark.Value < a.High)) continue;
    values.push_back(mark.Value);
    if (static_cast<int>(values.size()) == kMaxGridValues) break;
  }
  return values;
}

// Without painter ticks the walk is the low range end alone.
double FirstValue(const TGridAxis& a) {
  if (a.Step == 0) return std::min(a.Painter->RangeLow(), a.Painter->RangeHigh());
  if (!a.Logarithmic || a.Step > 0) return std::ceil(a.Low / a.Step) * a.Step;
  if (a.Step == kDecadeStep) return std::pow(10.0, std::ceil(std::log10(a.Low)));
  const TDecade d = DecadeOf(a.Low, false);
  if (a.Step == kOneTwoFiveStep) return d.Power * (d.Digit <= 2 ? 2 : d.Digit <= 5 ? 5 : 10);
  if (a.Step == kOneToNineStep) return d.Power * d.Digit;
  return a.Low;
}

double NextValue(const TGridAxis& a, double v) {
  if (a.Step == 0) return a.High;
  if (!a.Logarithmic || a.Step > 0) return v + std::fabs(a.Step);
  if (a.Step == kDecadeStep) return 10 * v;
  const TDecade d = DecadeOf(v, true);
  if (a.Step == kOneTwoFiveStep) return d.Power * (d.Digit < 2 ? 2 : d.Digit < 5 ? 5 : 10);
  return d.Power * (d.Digit + 1);
}

}  // namespace

std::vector<double> GridValues(const TGridAxis& axis) {
  if (axis.Step == 0 && axis.Painter->NumTicks() > 0) return PainterTickValues(axis);
  std::vector<double> values;
  double v = FirstValue(axis);
  // NaN compares false too, so a broken axis walks nothing.
  while (v < axis.High && static_cast<int>(values.size()) < kMaxGridValues) {
    values.push_back(v);
    v = NextValue(axis, v);
  }
  return values;
}

namespace {
TGridAxis AxisOf(const TScaleProps& props, double step, const TScale& painter) {
  return TGridAxis{std::min(props.RangeLow(), props.RangeHigh()), std::max(props.RangeLow(), props.RangeHigh()),
                   props.Logarithmic(), step, &painter};
}
}  // namespace

std::vector<double> TCustomChartControl::GridXValues() const {
  if (m_gridStyle == gsNone || m_gridStyle == gsHorizLines || m_gridStyle == gsHorizDotLines) return {};
  return GridValues(AxisOf(ScaleX(m_activeLayer), m_gridDx, PainterX(m_activeLayer)));
}

void TCustomChartControl::DrawGrid(TCanvas& canvas, int offX, int offY) {
  const int layer = m_activeLayer;
  const TScaleProps& sx = ScaleX(layer);
  const TScaleProps& sy = ScaleY(layer);
  const std::vector<double> xs = GridXValues();
  const std::vector<double> ys = GridValues(AxisOf(sy, m_gridDy, PainterY(layer)));
  const int shiftX = offX - m_lRim, shiftY = offY - m_tRim;
  const TPixelMapper mapper(*this);
  const auto pixel = [&](double x, double y) {
    const TPoint p = mapper.Map(layer, x, y);
    return TPoint{p.X + shiftX, p.Y + shiftY};
  };
  const auto line = [&](TPoint from, TPoint to) {
    canvas.MoveTo(from.X, from.Y);
    canvas.LineTo(to.X, to.Y);
  };

  const bool dotted = m_gridStyle == gsHorizDotLines || m_gridStyle == gsVertDotLines || m_gridStyle == gsDotLines;
  canvas.Pen = TPen{m_gridColor, dotted ? psDot : psSolid, 1, pmCopy};
  if (m_gridStyle == gsPoints) {
    int set = 0;
    for (double x : xs) {
      for (double y : ys) {
        if (set++ == kMaxGridValues) return;
        const TPoint p = pixel(x, y);
        canvas.SetPixel(p.X, p.Y, m_gridColor);
      }
    }
    return;
  }
  const bool vertical = m_gridStyle == gsVertLines || m_gridStyle == gsVertDotLines || m_gridStyle == gsLines ||
                        m_gridStyle == gsDotLines;
  const bool horizontal = m_gridStyle == gsHorizLines || m_gridStyle == gsHorizDotLines ||
                          m_gridStyle == gsLines || m_gridStyle == gsDotLines;
  if (vertical)
    for (double x : xs) line(pixel(x, sy.RangeLow()), pixel(x, sy.RangeHigh()));
  // Edge to edge of the plot in its own pixels, so a window moved along X
  // leaves these lines where they are.
  const int left = m_lRim + shiftX, right = left + PlotWidth();
  if (horizontal) {
    for (double y : ys) {
      const int py = pixel(sx.RangeLow(), y).Y;
      line({left, py}, {right, py});
    }
  }
  canvas.Pen.Style = psSolid;
}

}  // namespace kurvex
