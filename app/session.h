// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace kurvex {

/// The acquisition record of the main window, shared by its handlers.
/// Floating-point values are single precision, as the window stores them.
struct TSessionState {
  bool TrendMode = false;
  std::int64_t SampleCount = 0;
  std::uint32_t TrendFill = 0;
  std::int32_t RedrawCounter = 0;
  std::int32_t RedrawInterval = 0;
  float ScaleFactor = 1.0f;
  float ScaleOffset = 0.0f;
  float GraphXMax = 0.0f;
  float GraphYMax = 0.0f;
  float GraphYMin = 0.0f;
  float RawValue = 0.0f;
  float ScaledValue = 0.0f;
  std::int32_t PortNumber = 0;
  std::int32_t BaudRateValue = 0;
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
