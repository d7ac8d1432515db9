// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/closer/markerdelta.h"

namespace kurvex {

TMarkerDelta DeltaOf(const TPickedSample& a, const TPickedSample& b) {
  TMarkerDelta d;
  d.Samples = b.Number - a.Number;
  // In double: 3.4e38 − (−3.4e38) is beyond a float.
  d.Value = static_cast<double>(b.Value) - static_cast<double>(a.Value);
  if (d.Samples != 0) d.SlopePerSample = d.Value / static_cast<double>(d.Samples);
  if (a.WallNs && b.WallNs) {
    d.Seconds = static_cast<double>(*b.WallNs - *a.WallNs) * 1e-9;
    if (b.WallNs != a.WallNs) d.SlopePerSecond = d.Value / *d.Seconds;
  }
  return d;
}

}  // namespace kurvex
