// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace kurvex {

/// The line end an instrument uses, as the intake has decided it.
enum TLineEnd : std::uint8_t { leUndecided, leCrLf, leLf, leCr };

/// "CR LF", "LF" or "CR"; empty while undecided.
const char* LineEndText(TLineEnd end);

/// Curves an acquisition can have; a value beyond them is ignored.
inline constexpr std::size_t kMaxCurves = 16;

/// What the sample path keeps between lines, batches and acquisitions: the
/// line being assembled, the scaling, the last values and the counters.
/// Floating-point values are single precision, as the window stores them.
/// The window's session record extends it, so its handlers see these fields
/// under their own names.
struct TIntakeState {
  bool TrendMode = false;
  std::int64_t SampleCount = 0;
  float ScaleFactor = 1.0f;
  float ScaleOffset = 0.0f;
  /// Curve 1's values of the last line that had one.
  float RawValue = 0.0f;
  float ScaledValue = 0.0f;
  /// Bytes of the line being assembled; kept across Stop and Start.
  std::string PendingLine;
  /// 2 right after a CR, else 1 (with CR LF: the position in LineTerminator
  /// the next byte is compared with).
  std::int32_t TerminatorPos = 1;
  /// True while the rest of an over-long line is skipped up to its line end.
  bool DiscardingLine = false;
  /// The line just ended was over-long: its text is gone, it is a sample
  /// without a value.
  bool LineTooLong = false;
  /// Lines of this acquisition that were not a number in full.
  std::int64_t InvalidLines = 0;
  static constexpr const char* LineTerminator = "\r\n";

  /// The line end of this acquisition's instrument; see TLineAssembler.
  TLineEnd LineEnd = leUndecided;
  /// While undecided: the line ends seen per kind (index TLineEnd).
  std::array<std::uint8_t, 4> LineEndVotes{};
  /// While undecided: an LF has just ended a line (a CR now belongs to it).
  bool AfterLineFeed = false;
  /// Bytes have arrived for 2 s without ending a line: the baud rate or the
  /// data format may be wrong. Cleared by the next line end.
  bool NoLineEnd = false;
  /// Steady time of the first batch since the last line end.
  std::optional<std::int64_t> UnendedSinceNs;

  /// Curves of this acquisition so far, and their names in the order they
  /// first appeared (empty for a curve that has none).
  std::size_t CurveCount = 0;
  std::array<std::string, kMaxCurves> CurveNames;
  /// A line of this acquisition had a value beyond the last curve.
  bool TooManyValues = false;

  /// Forgets what the last acquisition taught: counts, line end, curves.
  /// The line being assembled stays.
  void StartAcquisition();
};

}  // namespace kurvex
