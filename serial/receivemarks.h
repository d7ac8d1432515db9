// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kurvex {

/// Undoes the marking of a line that checks parity: 0xFF 0xFF is one 0xFF
/// data byte, 0xFF 0x00 c a character c received with a parity or framing
/// error (0xFF 0x00 0x00 also a break). A mark may be split across blocks.
class TReceiveMarks {
 public:
  /// Decodes `count` bytes in place and returns how many data bytes are
  /// left at the front. `errorsAt` receives, in order, the data offset of
  /// each character that arrived with an error; the character itself is
  /// left out, so no wrong byte passes for data.
  std::size_t Decode(std::uint8_t* bytes, std::size_t count, std::vector<std::size_t>& errorsAt);
  /// Forgets a mark left incomplete (at each open).
  void Reset() { m_state = State::Data; }

 private:
  enum class State : std::uint8_t { Data, Escape, Marked };
  State m_state = State::Data;
};

}  // namespace kurvex
