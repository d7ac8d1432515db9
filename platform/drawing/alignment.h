// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace kurvex {

/// Horizontal alignment of a text at its anchor.
enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

}  // namespace kurvex
