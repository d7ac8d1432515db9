// SPDX-License-Identifier: GPL-3.0-or-later
#include "intake/singleprecision.h"

#include <cmath>

#include "platform/system/error.h"

namespace kurvex {

float ToSingle(long double value) {
  // Rounds to nearest as the FPU does: up to half a step beyond the largest
  // single is still that single; only what rounds to infinity overflows.
  const float single = static_cast<float>(value);
  if (std::isinf(single)) throw EKurvexError("Gleitkommaüberlauf");
  return single;
}

}  // namespace kurvex
