// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

namespace kurvex {

/// `bytes` of fresh memory that reads as zero and costs nothing until it is
/// touched (growing a large store writes no zeros), in huge pages where the
/// system gives them, so a growing store rarely faults. Throws
/// std::bad_alloc when the system has none.
void* AllocateZeroPages(std::size_t bytes);
/// Returns memory from AllocateZeroPages of the same size; null is ignored.
void FreeZeroPages(void* pages, std::size_t bytes);

}  // namespace kurvex
