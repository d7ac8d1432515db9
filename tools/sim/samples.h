// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "tools/sim/options.h"

namespace kurvex::sim {

/// The characters that end a line.
const char* Terminator(LineEnd end);

/// Value of sample `index` (0-based) of a wave; every wave stays within
/// 0..10, the window's default Y range, and repeats every 1000 samples
/// (noise: a fixed pseudo-random sequence).
double WaveValue(Wave wave, std::uint64_t index);

/// The text line for sample `index`, terminator included: "%.3f" of the
/// wave per value, separated by ";" and each after its name and ":" when
/// the values are named; value k runs k / Values of a period behind the
/// first. Or a line that is not a number when `index` + 1 is a multiple of
/// BadLines.
std::string SampleLine(const Options& options, std::uint64_t index);

}  // namespace kurvex::sim
