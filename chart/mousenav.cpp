// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/mousenav.h"

#include <algorithm>
#include <cmath>

namespace kurvex {

namespace {

constexpr double kWheelNotch = 120;
constexpr double kWheelZoomPerNotch = 1.25;
constexpr long double kWheelPanPerNotch = 0.1L;

}  // namespace

TAxisWindow PanAxis(const TAxisWindow& origin, const TAxisWindow& current, bool logarithmic, int shift,
                    int plotSize) {
  if (plotSize < 1) return origin;
  return ShiftAxis(origin, current, logarithmic, static_cast<long double>(shift) / plotSize);
}

TAxisWindow ShiftAxis(const TAxisWindow& origin, const TAxisWindow& current, bool logarithmic, long double part) {
  if (logarithmic) {
    const long double f = std::exp(std::log(static_cast<long double>(current.High) / current.Low) * part);
    return {static_cast<double>(origin.Low * f), static_cast<double>(origin.High * f)};
  }
  const long double s = (static_cast<long double>(current.High) - current.Low) * part;
  return {static_cast<double>(origin.Low + s), static_cast<double>(origin.High + s)};
}

double WheelZoomFactor(int delta) { return std::pow(kWheelZoomPerNotch, -delta / kWheelNotch); }

long double WheelPanPart(int delta) { return -delta / kWheelNotch * kWheelPanPerNotch; }

TAxisWindow ScaleAround(const TAxisWindow& window, double at, double factor, bool logarithmic) {
  const long double a = at;
  if (logarithmic) {
    return {static_cast<double>(a * std::pow(window.Low / a, static_cast<long double>(factor))),
            static_cast<double>(a * std::pow(window.High / a, static_cast<long double>(factor)))};
  }
  return {static_cast<double>(a + (window.Low - a) * factor), static_cast<double>(a + (window.High - a) * factor)};
}

double ZoomDragFactorX(int dX, int width) { return 1.0 - static_cast<double>(dX) / width; }

double ZoomDragFactorY(int dY, int height) { return 1.0 + static_cast<double>(dY) / height; }

TAxisWindow ScaleAroundCentre(const TAxisWindow& origin, double factor) {
  const long double centre = (static_cast<long double>(origin.Low) + origin.High) / 2;
  const long double half = (static_cast<long double>(origin.High) - origin.Low) * factor / 2;
  return {static_cast<double>(centre - half), static_cast<double>(centre + half)};
}

TPoint RubberBandCorner(TPoint anchor, TPoint pointer, const TPlotBounds& plot, bool square) {
  const int x = std::clamp(pointer.X, plot.Left, plot.Right);
  int y = pointer.Y;
  if (square) {
    // The side follows the horizontal travel; the pointer's quadrant picks
    // the diagonal.
    const int side = x - anchor.X;
    y = (y - anchor.Y) * side > 0 ? anchor.Y + side : anchor.Y - side;
  }
  return {x, std::clamp(y, plot.Top, plot.Bottom)};
}

TAxisWindow OrderLikeAxis(double a, double b, const TAxisWindow& axis) {
  const bool ascending = axis.Low < axis.High;
  return (a < b) == ascending ? TAxisWindow{a, b} : TAxisWindow{b, a};
}

}  // namespace kurvex
