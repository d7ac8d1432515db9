// SPDX-License-Identifier: GPL-3.0-or-later
#include "intake/singleprecision.h"

#include "platform/system/error.h"
#include "platform/system/translate.h"

namespace kurvex {

float ToSingle(long double value) {
  const std::optional<float> single = InSingleRange(value);
  if (!single) throw EKurvexError(Tr("Intake", "Gleitkommaüberlauf"));
  return *single;
}

}  // namespace kurvex
