// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <vector>

#include "intake/readtime.h"
#include "recording/csvdialect.h"

namespace kurvex {

/// One sample as it is recorded, with the value of curve 1; the values of
/// further curves travel beside it. A value that is not a number marks a
/// gap (the intake never yields one).
struct TRecordRow {
  std::int64_t SampleNumber;
  std::int64_t WallNs;        ///< when its line was read
  std::int64_t SinceStartNs;  ///< from Start to then
  float RawValue;
  float ScaledValue;
};

/// The value of one further curve in a row (a plain pair, so a large
/// queue of them costs memory only as it fills).
struct TRecordValue {
  float Raw;
  float Scaled;
};

/// A curve without a value in a row: its two cells stay empty.
inline constexpr TRecordValue kRecordGap{std::numeric_limits<float>::quiet_NaN(), 0.0f};

/// The curves that the rows from BeforeRow (counted from 0) on have
/// columns for: one name per curve, empty for a curve without one.
struct TRecordCurves {
  std::uint64_t BeforeRow = 0;
  std::vector<std::string> Names;
  /// One unit per curve, empty for a curve without one.
  std::vector<std::string> Units{};
};

/// Formats rows: sample number, the read time in ISO 8601 with milliseconds
/// and the local offset ("2026-12-07T10:15:00.123+01:00"), seconds since
/// Start with milliseconds, raw and scaled value of each curve (one curve
/// without a name until SetCurves says otherwise). Keeps the local-time
/// conversion of the last second, so a stream of rows costs no time-zone
/// lookup per row. Not thread-safe; the writer owns one.
class TRecordRowFormat {
 public:
  explicit TRecordRowFormat(TCsvDialect dialect) : m_dialect(dialect) {}
  /// The curves of the rows that follow, by their names, and their units
  /// (none: no curve has one).
  void SetCurves(std::vector<std::string> names, std::vector<std::string> units = {}) {
    m_names = std::move(names);
    m_units = std::move(units);
  }
  std::size_t Curves() const { return m_names.size(); }
  /// The header row, CR LF included. One curve without a name has the
  /// columns "Rohwert" and "Wert (skaliert)"; otherwise every curve has
  /// "Rohwert <name>" and "Wert <name> (skaliert)", "Kanal <n>" naming a
  /// curve that has no name.
  std::string Header() const;
  /// Appends one row, CR LF included: curve 1 from the row, curves 2 on
  /// from `more`; a gap leaves the curve's cells empty.
  void Append(std::string& out, const TRecordRow& row, std::span<const TRecordValue> more = {});

 private:
  void AppendTime(std::string& out, std::int64_t wallNs);

  TCsvDialect m_dialect;
  std::vector<std::string> m_names{std::string()};
  std::vector<std::string> m_units;
  std::int64_t m_cachedSecond = INT64_MIN;
  std::string m_cachedDateTime;  // "2026-12-07T10:15:00"
  std::string m_cachedOffset;    // "+01:00"
};

}  // namespace kurvex
