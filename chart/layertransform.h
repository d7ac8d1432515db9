// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kurvex {

/// One axis of a layer's world-to-pixel mapping: pixel = K·v + D, or
/// K·ln v + D on a logarithmic axis, in extended precision; a pixel is that
/// value rounded. An anchored axis rounds K·v + Origin instead and takes
/// away Anchor, where its low end rounds to: a window moved along the axis
/// then moves every pixel by the same whole number, so a kept picture can
/// be shifted rather than drawn again. Its pixels lie within half a pixel of
/// K·v + D.
struct TAxisTransform {
  long double K = 0;
  long double D = 0;
  long double Origin = 0;  ///< D unless anchored
  int Anchor = 0;          ///< 0 unless anchored
  friend bool operator==(const TAxisTransform&, const TAxisTransform&) = default;
};

/// The pixel span an axis maps its range onto: RangeLow goes to `from`,
/// RangeHigh to `to`; `plotSize` is the plot area's size along the axis
/// and `extent` the control's.
struct TAxisSpan {
  int from = 0;
  int to = 0;
  int plotSize = 0;
  int extent = 0;
};

/// The mapping of low..high onto span. A span shorter than one pixel, or a
/// range that collapses to one value, maps everything to the middle.
/// `anchored` anchors a linear axis (a logarithmic one never is); with low
/// at 0 both give the same pixels.
TAxisTransform MakeAxisTransform(const TAxisSpan& span, double low, double high, bool logarithmic,
                                 bool anchored = false);

/// The pixel of v, rounded (halves to even); callers pin non-positive values
/// on logarithmic axes themselves.
int MapToPixel(const TAxisTransform& t, double v, bool logarithmic);

/// The inverse of K·v + D (K·ln v + D).
double MapToWorld(const TAxisTransform& t, int pixel, bool logarithmic);

/// Limits v to ±2147483647 and rounds halves to even; NaN gives 0.
int RoundPixel(long double v);

/// Values at or below this count as non-positive on logarithmic axes.
inline constexpr double kLogFloor = 1e-100;

/// Whether an axis can show the window low..high: both ends finite and, on
/// a logarithmic axis, neither end below kLogFloor.
bool AxisCanShow(double low, double high, bool logarithmic);

}  // namespace kurvex
