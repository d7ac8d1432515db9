// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/zeropages.h"

#include <sys/mman.h>

#include <new>

namespace kurvex {

void* AllocateZeroPages(std::size_t bytes) {
  void* block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (block == MAP_FAILED) throw std::bad_alloc();
  madvise(block, bytes, MADV_HUGEPAGE);
  return block;
}

void FreeZeroPages(void* pages, std::size_t bytes) {
  if (pages) munmap(pages, bytes);
}

}  // namespace kurvex
