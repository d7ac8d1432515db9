// SPDX-License-Identifier: GPL-3.0-or-later
#include "intake/singleprecision.h"

#include <cmath>

#include "platform/system/error.h"

namespace kurvex {

std::optional<float> InSingleRange(long double value) {
  const float single = static_cast<float>(value);
  if (std::isinf(single)) return std::nullopt;
  return single;
}

float ToSingle(long double value) {
  const std::optional<float> single = InSingleRange(value);
  if (!single) throw EKurvexError("Gleitkommaüberlauf");
  return *single;
}

}  // namespace kurvex
