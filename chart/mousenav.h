// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drawing/geometry.h"

namespace kurvex {

/// One axis' world window: the values shown at the axis' low and high end.
/// Low may exceed High (an axis that runs backwards).
struct TAxisWindow {
  double Low = 0;
  double High = 0;
  friend bool operator==(const TAxisWindow&, const TAxisWindow&) = default;
};

/// The plot area in control pixels, both ends included:
/// Left ≤ x ≤ Right and Top ≤ y ≤ Bottom.
struct TPlotBounds {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool Contains(int x, int y) const { return x >= Left && x <= Right && y >= Top && y <= Bottom; }
};

/// The window a pan step gives one axis. `origin` is the window at the drag
/// origin, `current` the window now (its width, or its ratio on a
/// logarithmic axis, sets how far one pixel goes). `shift` is the pointer's
/// travel in pixels towards the axis' high values: −dX for X, +dY for Y
/// (the drawing follows the pointer). `plotSize` is PW or PH; below one
/// pixel the origin window is kept.
TAxisWindow PanAxis(const TAxisWindow& origin, const TAxisWindow& current, bool logarithmic, int shift,
                    int plotSize);

/// `origin` moved towards the axis' high values by `part` of the width of
/// `current` (of its ratio on a logarithmic axis).
TAxisWindow ShiftAxis(const TAxisWindow& origin, const TAxisWindow& current, bool logarithmic, long double part);

/// The zoom factor of a wheel turn of `delta` eighths of a degree: a notch
/// (120) away from the user narrows the window by 1.25, one towards the
/// user widens it by as much; finer wheels turn in proportion.
double WheelZoomFactor(int delta);

/// The part of its window a wheel turn of `delta` pans an X axis towards
/// its high values: a tenth of it per notch towards the user, as a page
/// scrolls on. (A Y axis pans the other way: towards the user goes down.)
long double WheelPanPart(int delta);

/// `window` scaled by `factor` around the value `at`, which keeps its pixel
/// (linear or logarithmic, as the axis maps).
TAxisWindow ScaleAround(const TAxisWindow& window, double at, double factor, bool logarithmic);

/// Zoom-drag factors for a pointer travel of dX, dY pixels on a control of
/// width × height pixels: right and up zoom in (factor below 1).
double ZoomDragFactorX(int dX, int width);
double ZoomDragFactorY(int dY, int height);

/// `origin` scaled by `factor` around its centre, in linear arithmetic.
TAxisWindow ScaleAroundCentre(const TAxisWindow& origin, double factor);

/// Where the moving corner of a rubber band anchored at `anchor` goes for a
/// pointer at `pointer`: clamped into the plot area; with `square` the band
/// keeps equal sides (along the diagonal the pointer is on).
TPoint RubberBandCorner(TPoint anchor, TPoint pointer, const TPlotBounds& plot, bool square);

/// The pair (a, b) ordered the way `axis` runs: ascending when its Low is
/// below its High, descending otherwise.
TAxisWindow OrderLikeAxis(double a, double b, const TAxisWindow& axis);

/// Finds the candidate with the smallest distance. The first candidate is
/// the choice until a strictly smaller distance than the best so far
/// (initially 1.7e308) is offered.
class TNearestPick {
 public:
  explicit TNearestPick(int first) : m_best(first) {}
  void Offer(int index, double distance) {
    if (distance < m_bestDistance) {
      m_best = index;
      m_bestDistance = distance;
    }
  }
  int Best() const { return m_best; }

 private:
  int m_best;
  double m_bestDistance = 1.7e308;
};

/// What the chart remembers between mouse events. Pixels are control pixels.
struct TMouseNavState {
  /// A pan, zoom or item drag is under way (its origin has been taken).
  bool Dragging = false;
  /// The pointer at the drag origin.
  TPoint Origin;
  /// The rubber band: shown while Active, from Start (where the left button
  /// went down) to End (the last pointer, clamped).
  bool BandActive = false;
  TPoint BandStart;
  TPoint BandEnd;
  /// The crosshair (1..4) and text label (1..20) a drag moves.
  int DraggedCrossHair = 1;
  int DraggedTextLabel = 1;
  /// The last pointer position inside the plot area, in world units of the
  /// ActiveLayer.
  double WorldX = 0;
  double WorldY = 0;
};

}  // namespace kurvex
