// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <optional>

namespace kurvex {

/// Rounds to the nearest single-precision value, as the FPU does: up to half
/// a step beyond the largest single is still that single. None for a value
/// that rounds to infinity (or is infinity).
/// Inline: on the sample path, an extended value handed to a call goes
/// through memory, which cost a fifth of a line's time.
inline std::optional<float> InSingleRange(long double value) {
  const float single = static_cast<float>(value);
  if (std::isinf(single)) return std::nullopt;
  return single;
}

/// InSingleRange for a value the user typed: out of range raises
/// "Gleitkommaüberlauf".
float ToSingle(long double value);

}  // namespace kurvex
