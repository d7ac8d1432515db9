// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/historyfeed.h"

#include <algorithm>
#include <array>

namespace kurvex {

void THistoryFeed::Take(const TSample& sample) {
  std::array<float, kMaxCurves> scaled;
  const std::size_t curves = std::min(sample.Values.size(), kMaxCurves);
  for (std::size_t k = 0; k < curves; ++k) scaled[k] = sample.Values[k].Scaled;
  m_history.Append(sample.ReadAt.WallNs, std::span<const float>(scaled.data(), curves), sample.Present);
}

}  // namespace kurvex
