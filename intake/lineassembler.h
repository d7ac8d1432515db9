// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "intake/intakestate.h"

namespace kurvex {

/// Longest line kept while waiting for its line end; a longer one is dropped
/// up to its end, so a device that never ends a line cannot exhaust memory,
/// and handed on empty and marked (TLineAssembler::TakeTooLongMark).
inline constexpr std::size_t kMaxPendingLine = 64 * 1024;

/// Cuts received bytes into lines. The line being assembled is its own and
/// lives as long as the assembler, so lines span batches and acquisitions;
/// the decided line end goes to the intake state, where the window reads it.
///
/// The line end is the instrument's: CR LF, LF or CR, decided after each
/// Start by the first kind that ends two lines, so two to four line ends
/// decide it and one odd end (the rest of a line end sent before Start)
/// does not. Until then CR, LF, CR LF and LF CR each end a line once; a line
/// that ends in CR waits for the next byte to tell CR from CR LF; and an
/// empty first line ended by LF or CR alone is no line, since it is the rest
/// of a line end sent before Start.
///
/// Decided, CR LF keeps the classic rules: a CR not followed by LF is dropped
/// and the byte after it kept, LF alone ends nothing. With LF (also for LF CR
/// devices) or CR the other byte stays in the line, where it is trimmed with
/// the control bytes at either end.
class TLineAssembler {
 public:
  using LineHandler = std::function<void(std::string_view line)>;

  /// Each complete line (without its end) goes to onLine. The line is taken
  /// out of the pending line before onLine runs, so an error thrown there
  /// leaves the assembler ready for the next line; the rest of the batch is
  /// then not processed.
  void Assemble(TIntakeState& state, const std::uint8_t* bytes, std::size_t count,
                const LineHandler& onLine);

  /// Undecides the line end (state.LineEnd) and forgets its votes; the line
  /// being assembled stays.
  void StartAcquisition(TIntakeState& state);

  /// Whether the line last handed on was over-long (its text gone). Taking
  /// the mark clears it, so a line that did not come from here is not
  /// mistaken for one.
  bool TakeTooLongMark() { return std::exchange(m_tooLong, false); }

  /// The end of the line last handed on: before the line end is decided,
  /// each line has its own.
  TLineEnd LastLineEnd() const { return m_lastEnd; }

  /// The bytes of the line not yet ended.
  std::string_view PendingLine() const { return m_pending; }

 private:
  /// Where the assembler stands between two bytes.
  enum TPosition : std::uint8_t {
    asInLine,
    /// Right after a CR: the next byte tells CR LF from CR.
    asAfterCr,
    /// Undecided, right after an LF that ended a line: a CR now belongs to it.
    asAfterLf,
  };

  void Append(const std::uint8_t* bytes, std::size_t count);
  // Each takes bytes from `i` on and returns where it stopped: at `count`,
  // or (Detect) right after the line end that decided the kind.
  std::size_t CutAtCrLf(TIntakeState& s, const std::uint8_t* bytes, std::size_t i, std::size_t count,
                        const LineHandler& onLine);
  std::size_t CutAt(std::uint8_t end, TIntakeState& s, const std::uint8_t* bytes, std::size_t i,
                    std::size_t count, const LineHandler& onLine);
  std::size_t Detect(TIntakeState& s, const std::uint8_t* bytes, std::size_t i, std::size_t count,
                     const LineHandler& onLine);
  void EndUndecided(TLineEnd kind, TIntakeState& s, const LineHandler& onLine);
  void EndLine(TLineEnd end, TIntakeState& s, const LineHandler& onLine);

  std::string m_pending;  // bytes of the line being assembled
  std::string m_line;     // the completed line, its buffer reused from line to line
  TPosition m_at = asInLine;
  TLineEnd m_lastEnd = leUndecided;
  bool m_discarding = false;  // skipping the rest of an over-long line up to its end
  bool m_tooLong = false;     // the line last handed on was over-long
  std::array<std::uint8_t, 4> m_votes{};  // while undecided: the line ends seen per kind (index TLineEnd)
};

}  // namespace kurvex
