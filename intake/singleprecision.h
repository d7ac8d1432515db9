// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace kurvex {

/// Rounds to the nearest single-precision value, as the FPU does: up to half
/// a step beyond the largest single is still that single. None for a value
/// that rounds to infinity (or is infinity).
std::optional<float> InSingleRange(long double value);

/// InSingleRange for a value the user typed: out of range raises
/// "Gleitkommaüberlauf".
float ToSingle(long double value);

}  // namespace kurvex
