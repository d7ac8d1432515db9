// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording/recordrow.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "recording/columnnames.h"

namespace kurvex {

namespace {

constexpr std::int64_t kNsPerSecond = 1'000'000'000;
constexpr std::int64_t kNsPerMs = 1'000'000;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - (a % b < 0 ? 1 : 0); }

void AppendThreeDigits(std::string& out, std::int64_t value) {
  out += static_cast<char>('0' + value / 100);
  out += static_cast<char>('0' + value / 10 % 10);
  out += static_cast<char>('0' + value % 10);
}

void AppendValue(std::string& out, float raw, float scaled, TCsvDialect dialect) {
  if (std::isnan(raw)) {
    out += CsvSeparator(dialect);
    out += CsvSeparator(dialect);
    return;
  }
  AppendCsvValue(out, raw, dialect);
  AppendCsvValue(out, scaled, dialect);
}

}  // namespace

std::string TRecordRowFormat::Header() const {
  std::string row;
  for (const std::string_view column : kRecordingLeadColumns)
    AppendCsvText(row, std::string(column), m_dialect, column == kRecordingLeadColumns.front());
  const auto unit = [&](std::size_t curve) { return curve < m_units.size() ? std::string_view(m_units[curve]) : ""; };
  if (m_names.size() == 1 && m_names.front().empty()) {
    AppendCsvText(row, RawValueColumn({}), m_dialect);
    AppendCsvText(row, ScaledValueColumn({}, unit(0)), m_dialect);
  } else {
    for (std::size_t i = 0; i < m_names.size(); ++i) {
      const std::string label = CurveLabel(i, m_names[i]);
      AppendCsvText(row, RawValueColumn(label), m_dialect);
      AppendCsvText(row, ScaledValueColumn(label, unit(i)), m_dialect);
    }
  }
  EndCsvRow(row);
  return row;
}

void TRecordRowFormat::Append(std::string& out, const TRecordRow& row, std::span<const TRecordValue> more) {
  AppendCsvInteger(out, row.SampleNumber, m_dialect, true);
  out += CsvSeparator(m_dialect);
  AppendTime(out, row.WallNs);
  out += CsvSeparator(m_dialect);
  const std::int64_t ms = FloorDiv(row.SinceStartNs, kNsPerMs);
  if (ms < 0) out += '-';
  const std::int64_t magnitude = ms < 0 ? -ms : ms;
  char seconds[24];
  out.append(seconds, std::to_chars(seconds, seconds + sizeof seconds, magnitude / 1000).ptr);
  out += CsvDecimalSeparator(m_dialect);
  AppendThreeDigits(out, magnitude % 1000);
  AppendValue(out, row.RawValue, row.ScaledValue, m_dialect);
  for (const TRecordValue& value : more) AppendValue(out, value.Raw, value.Scaled, m_dialect);
  EndCsvRow(out);
}

void TRecordRowFormat::AppendTime(std::string& out, std::int64_t wallNs) {
  const std::int64_t second = FloorDiv(wallNs, kNsPerSecond);
  if (second != m_cachedSecond) {
    const auto seconds = static_cast<std::time_t>(second);
    std::tm local{};
    ::localtime_r(&seconds, &local);
    char text[40];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    m_cachedDateTime = text;
    const long offsetMinutes = local.tm_gmtoff / 60;
    const long magnitude = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
    std::snprintf(text, sizeof text, "%c%02ld:%02ld", offsetMinutes < 0 ? '-' : '+', magnitude / 60, magnitude % 60);
    m_cachedOffset = text;
    m_cachedSecond = second;
  }
  out += m_cachedDateTime;
  out += '.';
  AppendThreeDigits(out, (wallNs - second * kNsPerSecond) / kNsPerMs);
  out += m_cachedOffset;
}

}  // namespace kurvex
