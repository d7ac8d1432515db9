// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "intake/intakestate.h"

namespace kurvex {

/// Longest line kept while waiting for CR LF; a longer one is dropped up to
/// its terminator, so a device that never sends CR LF cannot exhaust memory.
inline constexpr std::size_t kMaxPendingLine = 64 * 1024;

/// Cuts received bytes into CR LF lines, keeping its state in PendingLine
/// and TerminatorPos so that lines span batches and acquisitions.
/// A CR not followed by LF is dropped and the byte after it kept.
class TLineAssembler {
 public:
  using LineHandler = std::function<void(std::string_view line)>;

  /// Each complete line (without terminator) goes to onLine. The line is
  /// taken out of PendingLine before onLine runs, so an error thrown there
  /// leaves the assembler ready for the next line; the rest of the batch is
  /// then not processed.
  void Assemble(TIntakeState& state, const std::uint8_t* bytes, std::size_t count,
                const LineHandler& onLine);

 private:
  std::string m_line;  // the completed line, its buffer reused from line to line
};

}  // namespace kurvex
