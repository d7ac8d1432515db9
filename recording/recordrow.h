// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "intake/readtime.h"
#include "recording/csvdialect.h"

namespace kurvex {

/// One sample as it is recorded.
struct TRecordRow {
  std::int64_t SampleNumber;
  std::int64_t WallNs;        ///< when its line was read
  std::int64_t SinceStartNs;  ///< from Start to then
  float RawValue;
  float ScaledValue;
};

/// Formats rows: sample number, the read time in ISO 8601 with milliseconds
/// and the local offset ("2026-12-07T10:15:00.123+01:00"), seconds since
/// Start with milliseconds, raw and scaled value. Keeps the local-time
/// conversion of the last second, so a stream of rows costs no time-zone
/// lookup per row. Not thread-safe; the writer owns one.
class TRecordRowFormat {
 public:
  explicit TRecordRowFormat(TCsvDialect dialect) : m_dialect(dialect) {}
  /// The header row, CR LF included.
  std::string Header() const;
  /// Appends one row, CR LF included.
  void Append(std::string& out, const TRecordRow& row);

 private:
  void AppendTime(std::string& out, std::int64_t wallNs);

  TCsvDialect m_dialect;
  std::int64_t m_cachedSecond = INT64_MIN;
  std::string m_cachedDateTime;  // "2026-12-07T10:15:00"
  std::string m_cachedOffset;    // "+01:00"
};

}  // namespace kurvex
