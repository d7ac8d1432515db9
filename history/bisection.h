// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

namespace kurvex {

/// The first index in 0..count for which `before(index)` is false, where it
/// holds for a leading run. Unlike std::partition_point, defined for any
/// `before` (some index in 0..count): times from a clock set back are not
/// ordered, and a look-up by time must still answer.
template <class Before>
std::size_t FirstNotBefore(std::size_t count, Before before) {
  std::size_t low = 0;
  while (count > 0) {
    const std::size_t half = count / 2;
    if (before(low + half)) {
      low += half + 1;
      count -= half + 1;
    } else {
      count = half;
    }
  }
  return low;
}

}  // namespace kurvex
