// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/layertransform.h"

#include <cmath>

namespace kurvex {

TAxisTransform MakeAxisTransform(const TAxisSpan& span, double low, double high, bool logarithmic,
                                 bool anchored) {
  const long double lo = logarithmic ? std::log(static_cast<long double>(low)) : low;
  const long double hi = logarithmic ? std::log(static_cast<long double>(high)) : high;
  const long double width = hi - lo;
  // Degenerate ranges (or a log range over non-positive ends) would divide by
  // zero or give NaN; such an axis maps everything to the middle instead.
  if (span.plotSize < 1 || width == 0 || !std::isfinite(width)) return {0, span.extent / 2.0L, span.extent / 2.0L};
  TAxisTransform t;
  t.K = (span.to - span.from) / width;
  t.D = (span.from * hi - span.to * lo) / width;
  t.Origin = t.D;
  if (anchored && !logarithmic) {
    t.Origin = span.from;
    t.Anchor = RoundPixel(t.K * lo);
  }
  return t;
}

int MapToPixel(const TAxisTransform& t, double v, bool logarithmic) {
  if (logarithmic) return RoundPixel(t.K * std::log(static_cast<long double>(v)) + t.Origin);
  return RoundPixel(t.K * v + t.Origin) - t.Anchor;
}

double MapToWorld(const TAxisTransform& t, int pixel, bool logarithmic) {
  const long double u = (pixel - t.D) / t.K;
  return static_cast<double>(logarithmic ? std::exp(u) : u);
}

bool AxisCanShow(double low, double high, bool logarithmic) {
  if (!std::isfinite(low) || !std::isfinite(high)) return false;
  return !logarithmic || (low >= kLogFloor && high >= kLogFloor);
}

int RoundPixel(long double v) {
  constexpr long double kLimit = 2147483647.0L;
  if (std::isnan(v)) return 0;
  if (v > kLimit) v = kLimit;
  if (v < -kLimit) v = -kLimit;
  // rint rounds halves to even in the default rounding mode, as nearbyint
  // does, without its costly saving of the floating-point flags; the
  // integral result converts through double exactly, which avoids switching
  // the x87 rounding mode for the conversion.
  return static_cast<int>(static_cast<double>(std::rint(v)));
}

}  // namespace kurvex
