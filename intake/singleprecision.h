// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kurvex {

/// Rounds to the nearest single-precision value; a value that rounds to
/// infinity (infinity too) raises "Gleitkommaüberlauf".
float ToSingle(long double value);

}  // namespace kurvex
