// SPDX-License-Identifier: GPL-3.0-or-later
#include "intake/lineassembler.h"

#include <cstring>

namespace kurvex {

namespace {
constexpr std::uint8_t kCR = 13, kLF = 10;

void Append(TIntakeState& s, const std::uint8_t* bytes, std::size_t count) {
  if (s.DiscardingLine) return;
  if (s.PendingLine.size() + count > kMaxPendingLine) {
    s.PendingLine.clear();
    s.PendingLine.shrink_to_fit();
    s.DiscardingLine = true;
    return;
  }
  s.PendingLine.append(reinterpret_cast<const char*>(bytes), count);
}
}  // namespace

void TLineAssembler::Assemble(TIntakeState& s, const std::uint8_t* bytes, std::size_t count,
                              const LineHandler& onLine) {
  std::size_t i = 0;
  while (i < count) {
    if (s.TerminatorPos == 2) {
      const std::uint8_t b = bytes[i++];
      s.TerminatorPos = 1;
      if (b != kLF) {
        Append(s, &b, 1);
        continue;
      }
      if (s.DiscardingLine) {
        s.DiscardingLine = false;
        continue;
      }
      m_line.swap(s.PendingLine);
      s.PendingLine.clear();
      onLine(m_line);
      continue;
    }
    // Runs of ordinary bytes are copied at once, up to the next CR.
    const void* cr = std::memchr(bytes + i, kCR, count - i);
    const std::size_t end = cr ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(cr) - bytes) : count;
    if (end > i) Append(s, bytes + i, end - i);
    if (cr) s.TerminatorPos = 2;
    i = cr ? end + 1 : count;
  }
}

}  // namespace kurvex
