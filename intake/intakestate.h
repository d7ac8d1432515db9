// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace kurvex {

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
  float RawValue = 0.0f;
  float ScaledValue = 0.0f;
  /// Bytes of the line being assembled; kept across Stop and Start.
  std::string PendingLine;
  /// 1-based position in LineTerminator the next byte is compared with.
  std::int32_t TerminatorPos = 1;
  /// True while the rest of an over-long line is skipped up to its CR LF.
  bool DiscardingLine = false;
  /// Lines of this acquisition that were not a number in full.
  std::int64_t InvalidLines = 0;
  static constexpr const char* LineTerminator = "\r\n";
};

}  // namespace kurvex
