// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/curvesettings.h"

#include "app/curvecolors.h"

namespace kurvex {

TCurveSettings::TCurveSettings() {
  for (std::size_t curve = 0; curve < kMaxCurves; ++curve) m_curves[curve].Color = CurveColor(curve);
}

const TCurveSettings& TCurveSettings::Defaults() {
  static const TCurveSettings defaults;
  return defaults;
}

}  // namespace kurvex
