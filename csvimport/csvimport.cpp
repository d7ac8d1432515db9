// SPDX-License-Identifier: GPL-3.0-or-later
#include "csvimport/csvimport.h"

#include <array>
#include <cmath>
#include <span>
#include <vector>

#include "csvimport/csvfields.h"
#include "csvimport/csvlines.h"
#include "csvimport/csvtime.h"
#include "recording/columnnames.h"

namespace kurvex {

namespace {

// Enough rows to tell numbers from text, few enough to read at once.
constexpr std::size_t kProbeRows = 100;
constexpr std::int64_t kProbeBytes = std::int64_t{4} << 20;
// Progress is told once per this many rows.
constexpr std::int64_t kRowsPerCheck = 4096;
// Seconds that still fit nanoseconds since 1970 in 64 bits.
constexpr double kMaxSeconds = 9.2e9;

// Reads the rows of one file into a history.
class TRowReader {
 public:
  TRowReader(const TCsvLayout& layout, std::size_t value, THistory& history, TCsvLoad& result)
      : m_layout(layout), m_history(history), m_result(result) {
    if (layout.Kind == TCsvLayout::Kurvex)
      m_values = layout.Values;
    else
      m_values.push_back(layout.Values.at(value));
  }

  void Take(const TCsvLine& line) {
    if (line.TooLong) return Bad(line, TBadRow::TooLong);
    if (line.Text.empty()) return;
    if (m_headerPending) {
      m_headerPending = false;
      return;
    }
    if (m_layout.Kind == TCsvLayout::Kurvex && line.Text.starts_with(kRecordingLeadColumns.front()) &&
        ReadKurvexHeader(line.Text, m_layout.Separator, m_values))
      return;
    SplitCsvFields(line.Text, m_layout.Separator, m_fields);
    std::optional<std::int64_t> wallNs;
    std::uint16_t present = 0;
    if (const std::optional<TBadRow> bad = Read(line, wallNs, present)) return Bad(line, *bad);
    // A bad row has no time of its own.
    for (; m_gaps > 0; --m_gaps) m_history.Append(std::nullopt, {}, 0);
    m_history.Append(wallNs, std::span<const float>(m_row.data(), Curves()), present);
    ++m_result.Rows;
  }

  std::vector<std::string> ColumnNames() const {
    std::vector<std::string> names;
    for (std::size_t k = 0; k < Curves(); ++k) names.push_back(m_values[k].Name);
    return names;
  }

 private:
  std::size_t Curves() const { return std::min(m_values.size(), kMaxCurves); }

  std::optional<TBadRow> Read(const TCsvLine& line, std::optional<std::int64_t>& wallNs, std::uint16_t& present) {
    // Kurvex ends every row it writes; one without an end was cut off, and
    // so was any row whose quote the file's end left open.
    if (line.OpenQuote || (m_layout.Kind == TCsvLayout::Kurvex && !line.Ended)) return TBadRow::Incomplete;
    std::size_t needed = m_layout.Times != TCsvLayout::NoTimes ? m_layout.TimeIndex : 0;
    for (std::size_t k = 0; k < Curves(); ++k) needed = std::max(needed, m_values[k].Index);
    if (m_fields.size() <= needed) return TBadRow::Incomplete;
    for (std::size_t k = 0; k < Curves(); ++k) {
      const TCsvNumber read = ReadCsvNumber(m_fields[m_values[k].Index], m_layout.Decimal, m_row[k]);
      if (read == TCsvNumber::NotANumber) return TBadRow::NotANumber;
      if (read == TCsvNumber::OutOfRange) return TBadRow::OutOfRange;
      if (read == TCsvNumber::Number) present |= static_cast<std::uint16_t>(1u << k);
    }
    if (!ReadTime(m_fields[m_layout.TimeIndex], wallNs)) return TBadRow::BadTime;
    return std::nullopt;
  }

  bool ReadTime(std::string_view field, std::optional<std::int64_t>& wallNs) {
    switch (m_layout.Times) {
      case TCsvLayout::NoTimes:
        return true;
      case TCsvLayout::IsoTimes: {
        std::int64_t ns = 0;
        if (!m_times.Read(field, ns)) return false;
        wallNs = ns;
        return true;
      }
      case TCsvLayout::Seconds: {
        double seconds = 0;
        if (ReadCsvNumber(field, m_layout.Decimal, seconds) != TCsvNumber::Number || std::abs(seconds) > kMaxSeconds)
          return false;
        wallNs = std::llround(seconds * 1e9);
        return true;
      }
    }
    return false;
  }

  // A bad row keeps its sample number as a gap once a good row follows.
  void Bad(const TCsvLine& line, TBadRow why) {
    if (m_result.BadRows++ == 0) {
      m_result.FirstBadLine = line.Number;
      m_result.FirstBad = why;
    }
    ++m_gaps;
  }

  const TCsvLayout& m_layout;
  THistory& m_history;
  TCsvLoad& m_result;
  std::vector<TCsvLayout::TColumn> m_values;
  std::vector<std::string_view> m_fields;
  std::array<float, kMaxCurves> m_row{};
  TIsoTimeReader m_times;
  bool m_headerPending = m_layout.HeaderLines > 0;
  std::int64_t m_gaps = 0;
};

}  // namespace

TCsvProbe ProbeCsvFile(const std::string& fileName) {
  TCsvProbe probe;
  TReadFile file(fileName);
  if ((probe.Error = file.Error()) != 0) return probe;
  TCsvLines lines(file);
  // Bounded by the bytes read, not the lines kept: a device of endless zeros holds no line.
  lines.ReadAtMost(kProbeBytes);
  TCsvLine line;
  std::vector<std::string> first;
  // Rows too long, or cut inside quotes by the look's end, would mislead the layout.
  while (first.size() < kProbeRows && lines.Next(line))
    if (!line.TooLong && !line.OpenQuote && !line.Text.empty()) first.emplace_back(line.Text);
  if ((probe.Error = file.Error()) != 0) return probe;
  probe.Layout = DetectCsvLayout(first);
  return probe;
}

TCsvLoad LoadCsvFile(const std::string& fileName, const TCsvLayout& layout, std::size_t value, THistory& history,
                     TCsvProgress& progress) {
  TCsvLoad result;
  history.Clear();
  TReadFile file(fileName);
  if ((result.Error = file.Error()) != 0) return result;
  progress.TotalBytes = file.Size();
  TCsvLines lines(file);
  lines.SetSeparator(layout.Separator);
  lines.StopWhen(progress.Cancel);
  TRowReader rows(layout, value, history, result);
  TCsvLine line;
  for (std::int64_t count = 1; lines.Next(line); ++count) {
    rows.Take(line);
    if (count % kRowsPerCheck == 0) progress.BytesRead = lines.BytesRead();
    if (progress.Cancel) break;
  }
  result.Cancelled = progress.Cancel;
  result.Error = file.Error();
  result.ColumnNames = rows.ColumnNames();
  progress.BytesRead = lines.BytesRead();
  return result;
}

}  // namespace kurvex
