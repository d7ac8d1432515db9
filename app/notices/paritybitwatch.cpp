// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/notices/paritybitwatch.h"

#include <bit>

namespace kurvex {

bool TParityBitWatch::Take(const std::uint8_t* bytes, std::size_t count) {
  if (m_seen >= kBytes) return false;
  for (std::size_t i = 0; i < count && m_seen < kBytes; ++i, ++m_seen) {
    const bool highBit = (bytes[i] & 0x80) != 0;
    const bool oddLowBits = (std::popcount(static_cast<unsigned>(bytes[i] & 0x7F)) & 1) != 0;
    m_highBit += highBit ? 1 : 0;
    m_evenFits += highBit == oddLowBits ? 1 : 0;
  }
  if (m_seen < kBytes || m_highBit < kBytes / 8) return false;
  const int needed = kBytes - kBytes / 16;
  if (m_evenFits >= needed) m_suggestion = "7E1";
  if (kBytes - m_evenFits >= needed) m_suggestion = "7O1";
  return !m_suggestion.empty();
}

}  // namespace kurvex
