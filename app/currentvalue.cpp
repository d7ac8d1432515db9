// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/currentvalue.h"

#include "app/valuetext.h"
#include "platform/system/localeformat.h"

namespace kurvex {

void TCurrentValueDisplay::Take(const TSample& sample) {
  if (!sample.Has(0)) return;
  m_label.SetCaptionSource([value = sample.Values.front().Scaled, separator = DecimalSeparator()] {
    return GeneralValueText(value, separator);
  });
}

}  // namespace kurvex
