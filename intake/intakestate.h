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

/// A curve's own scaling; each part unset is the window's.
struct TCurveScale {
  std::optional<float> Factor, Offset;
  bool operator==(const TCurveScale&) const = default;
};

/// What the sample path publishes and keeps between lines, batches and
/// acquisitions: the scaling, the last values, the counters, the line end
/// and the curves. The line being assembled is the line assembler's own.
/// Floating-point values are single precision, as the window stores them.
/// The window's session record extends it, so its handlers see these fields
/// under their own names.
struct TIntakeState {
  bool TrendMode = false;
  std::int64_t SampleCount = 0;
  float ScaleFactor = 1.0f;
  float ScaleOffset = 0.0f;
  /// Each curve's own factor and offset, where it has one.
  std::array<TCurveScale, kMaxCurves> CurveScales{};
  /// Curve 1's values of the last line that had one.
  float RawValue = 0.0f;
  float ScaledValue = 0.0f;
  /// Lines of this acquisition that were not a number in full.
  std::int64_t InvalidLines = 0;

  /// The line end of this acquisition's instrument; see TLineAssembler.
  TLineEnd LineEnd = leUndecided;
  /// Bytes have arrived for 2 s without ending a line: the baud rate or the
  /// data format may be wrong. Cleared by the next line end.
  bool NoLineEnd = false;
  /// Steady time of the first batch since the last line end.
  std::optional<std::int64_t> UnendedSinceNs;

  /// Curves of this acquisition so far, and their names in the order they
  /// first appeared (empty for a curve that has none).
  std::size_t CurveCount = 0;
  std::array<std::string, kMaxCurves> CurveNames;
  /// Each curve's unit: the one the user set (given at Start), else the one
  /// its values came with first in this acquisition ("°C" of "21.5 °C");
  /// empty while it has none.
  std::array<std::string, kMaxCurves> CurveUnits;
  /// A line of this acquisition had a value beyond the last curve.
  bool TooManyValues = false;

  /// Forgets what the last acquisition taught: counts and curves. The line
  /// end is the line assembler's to undecide (TSampleIntake::StartAcquisition
  /// does both).
  void StartAcquisition();
};

}  // namespace kurvex
