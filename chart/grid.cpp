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

double FirstValue(const TGridAxis& a) {
  if (a.Step == 0) {
    const TScale& p = *a.Painter;
    return p.NumTicks() > 0 ? p.TickPosition(1) : std::min(p.RangeLow(), p.RangeHigh());
  }
  if (!a.Logarithmic || a.Step > 0) return std::ceil(a.Low / a.Step) * a.Step;
  if (a.Step == kDecadeStep) return std::pow(10.0, std::ceil(std::log10(a.Low)));
  const TDecade d = DecadeOf(a.Low, false);
  if (a.Step == kOneTwoFiveStep) return d.Power * (d.Digit <= 2 ? 2 : d.Digit <= 5 ? 5 : 10);
  if (a.Step == kOneToNineStep) return d.Power * d.Digit;
  return a.Low;
}

// k is the 1-based index of v in the walk.
double NextValue(const TGridAxis& a, double v, int k) {
  if (a.Step == 0) {
    const TScale& p = *a.Painter;
    return k + 1 <= p.NumTicks() ? p.TickPosition(k + 1) : a.High;
  }
  if (!a.Logarithmic || a.Step > 0) return v + std::fabs(a.Step);
  if (a.Step == kDecadeStep) return 10 * v;
  const TDecade d = DecadeOf(v, true);
  if (a.Step == kOneTwoFiveStep) return d.Power * (d.Digit < 2 ? 2 : d.Digit < 5 ? 5 : 10);
  return d.Power * (d.Digit + 1);
}

}  // namespace

std::vector<double> GridValues(const TGridAxis& axis) {
  std::vector<double> values;
  double v = FirstValue(axis);
  // NaN compares false too, so a broken axis walks nothing.
  while (v < axis.High && static_cast<int>(values.size()) < kMaxGridValues) {
    values.push_back(v);
    v = NextValue(axis, v, static_cast<int>(values.size()));
  }
  return values;
}

void TCustomChartControl::DrawGrid(TCanvas& canvas, int offX, int offY) {
  const int layer = m_activeLayer;
  const TScaleProps& sx = ScaleX(layer);
  const TScaleProps& sy = ScaleY(layer);
  const auto axisOf = [](const TScaleProps& props, double step, const TScale& painter) {
    return TGridAxis{std::min(props.RangeLow(), props.RangeHigh()), std::max(props.RangeLow(), props.RangeHigh()),
                     props.Logarithmic(), step, &painter};
  };
  const std::vector<double> xs = GridValues(axisOf(sx, m_gridDx, PainterX(layer)));
  const std::vector<double> ys = GridValues(axisOf(sy, m_gridDy, PainterY(layer)));
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
  if (horizontal)
    for (double y : ys) line(pixel(sx.RangeLow(), y), pixel(sx.RangeHigh(), y));
  canvas.Pen.Style = psSolid;
}

}  // namespace kurvex
