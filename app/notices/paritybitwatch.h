// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kurvex {

/// Looks at the first bytes of an acquisition for an instrument that sends
/// 7 data bits with parity to a port set to 8 data bits: its parity bit
/// arrives as bit 7. Plain text (ASCII, or UTF-8 units such as "°C") never
/// has bit 7 follow the parity of the other seven in almost every byte.
class TParityBitWatch {
 public:
  /// Bytes looked at after a Restart.
  static constexpr int kBytes = 256;

  /// Starts over, for a new acquisition.
  void Restart() { *this = {}; }

  /// Takes received bytes; true when they complete the first kBytes and
  /// these suggest a format (see Suggestion).
  bool Take(const std::uint8_t* bytes, std::size_t count);

  /// "7E1" or "7O1" when at least one in eight of the first kBytes has
  /// bit 7 set and 15 in 16 have the bit 7 even (or odd) parity gives them;
  /// empty otherwise, and until they have come.
  const std::string& Suggestion() const { return m_suggestion; }

 private:
  std::string m_suggestion;
  int m_seen = 0;
  int m_highBit = 0;   // bytes with bit 7 set
  int m_evenFits = 0;  // bytes whose bit 7 is the even parity of the other seven
};

}  // namespace kurvex
