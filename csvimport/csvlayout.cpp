// SPDX-License-Identifier: GPL-3.0-or-later
#include "csvimport/csvlayout.h"

#include <algorithm>
#include <cctype>

#include "csvimport/csvfields.h"
#include "csvimport/csvtime.h"
#include "recording/columnnames.h"
#include "recording/csvdialect.h"
#include "platform/system/translate.h"

namespace kurvex {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kKurvexFirstValue = kRecordingLeadColumns.size();

// What the sample rows show of one column.
struct TColumnSample {
  int Numbers = 0;
  int Texts = 0;  // fields that are no number
  int Times = 0;  // ISO times
  bool Rising = true;
  double Last = 0;
};

// Tab and semicolon are separators wherever they appear; a comma only when neither does.
char DetectSeparator(std::string_view header) {
  std::vector<std::string_view> fields;
  for (const char separator : {'\t', ';'}) {
    SplitCsvFields(header, separator, fields);
    if (fields.size() > 1) return separator;
  }
  return ',';
}

// The decimal mark most number fields read with.
char DetectDecimal(const std::vector<std::string>& rows, char separator) {
  if (separator == ',') return '.';
  int commas = 0, points = 0;
  std::vector<std::string_view> fields;
  double ignored = 0;
  for (const std::string& row : rows) {
    SplitCsvFields(row, separator, fields);
    for (std::string_view field : fields) {
      if (field.find(',') != std::string_view::npos && ReadCsvNumber(field, ',', ignored) == TCsvNumber::Number)
        ++commas;
      if (field.find('.') != std::string_view::npos && ReadCsvNumber(field, '.', ignored) == TCsvNumber::Number)
        ++points;
    }
  }
  return commas > points ? ',' : '.';
}

// A column of seconds is named so: "Zeit", "time [s]", "t", "Sekunden", …
bool NamesTime(std::string name) {
  std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
  for (std::string_view word : {"zeit", "time", "sek", "sec"})
    if (name.find(word) != std::string::npos) return true;
  return name == "t" || name == "s" || (name.size() > 1 && name[0] == 't' && std::string_view(" [(/").find(name[1]) != std::string_view::npos);
}

bool AllNumbers(const std::vector<std::string>& fields, char decimal) {
  double ignored = 0;
  return std::all_of(fields.begin(), fields.end(), [&](const std::string& field) {
    return ReadCsvNumber(field, decimal, ignored) == TCsvNumber::Number;
  });
}

}  // namespace

bool ReadKurvexHeader(std::string_view line, char separator, std::vector<TCsvLayout::TColumn>& values) {
  const std::vector<std::string> names = CsvHeaderFields(line, separator);
  if (names.size() < kKurvexFirstValue + 2 || (names.size() - kKurvexFirstValue) % 2 != 0 ||
      !std::equal(kRecordingLeadColumns.begin(), kRecordingLeadColumns.end(), names.begin()))
    return false;
  values.clear();
  for (std::size_t index = kKurvexFirstValue + 1; index < names.size(); index += 2) values.push_back({names[index], index});
  return true;
}

std::optional<TCsvLayout> DetectCsvLayout(const std::vector<std::string>& lines) {
  if (lines.empty()) return std::nullopt;
  std::string_view header = lines.front();
  if (header.starts_with(kByteOrderMark)) header.remove_prefix(kByteOrderMark.size());
  TCsvLayout layout;
  for (TCsvDialect dialect : {cdComma, cdExcel}) {
    if (ReadKurvexHeader(header, CsvSeparator(dialect), layout.Values)) {
      layout.Kind = TCsvLayout::Kurvex;
      layout.Separator = CsvSeparator(dialect);
      layout.Decimal = CsvDecimalSeparator(dialect);
      layout.Times = TCsvLayout::IsoTimes;
      layout.TimeIndex = 1;
      return layout;
    }
  }

  layout.Separator = DetectSeparator(header);
  std::vector<std::string> names = CsvHeaderFields(header, layout.Separator);
  std::vector<std::string> rows(lines.begin() + 1, lines.end());
  layout.Decimal = DetectDecimal(lines, layout.Separator);
  if (AllNumbers(names, layout.Decimal)) {
    // No header: the first line is data, and the columns are counted.
    rows.insert(rows.begin(), std::string(header));
    layout.HeaderLines = 0;
    for (std::size_t i = 0; i < names.size(); ++i) names[i] = Fill(Tr("Csv", "Spalte %1"), {std::to_string(i + 1)});
  }

  std::vector<TColumnSample> columns(names.size());
  std::vector<std::string_view> fields;
  TIsoTimeReader times;
  for (const std::string& row : rows) {
    SplitCsvFields(row, layout.Separator, fields);
    for (std::size_t i = 0; i < std::min(fields.size(), columns.size()); ++i) {
      TColumnSample& column = columns[i];
      double value = 0;
      std::int64_t ns = 0;
      const TCsvNumber read = ReadCsvNumber(fields[i], layout.Decimal, value);
      if (read == TCsvNumber::Number) {
        column.Rising = column.Rising && (column.Numbers == 0 || value >= column.Last);
        column.Last = value;
        ++column.Numbers;
      } else if (read == TCsvNumber::OutOfRange) {
        ++column.Numbers;
      } else if (read != TCsvNumber::Gap) {
        ++column.Texts;
        if (times.Read(fields[i], ns)) ++column.Times;
      }
    }
  }

  const auto isoTimes = std::find_if(columns.begin(), columns.end(), [](const TColumnSample& column) {
    return column.Times > 0 && column.Times == column.Texts && column.Numbers == 0;
  });
  // A column with numbers holds numbers, however few: its texts are bad
  // rows, which load as gaps while the good ones load.
  for (std::size_t i = 0; i < columns.size(); ++i)
    if (columns[i].Numbers > 0) layout.Values.push_back({names[i], i});
  if (isoTimes != columns.end()) {
    layout.Times = TCsvLayout::IsoTimes;
    layout.TimeIndex = static_cast<std::size_t>(isoTimes - columns.begin());
  } else if (layout.Values.size() > 1) {
    // Rising numbers under a name of time are the samples' times, not a curve.
    const auto seconds = std::find_if(layout.Values.begin(), layout.Values.end(), [&](const TCsvLayout::TColumn& column) {
      return columns[column.Index].Rising && NamesTime(column.Name);
    });
    if (seconds != layout.Values.end()) {
      layout.Times = TCsvLayout::Seconds;
      layout.TimeIndex = seconds->Index;
      layout.Values.erase(seconds);
    }
  }
  if (layout.Values.empty()) return std::nullopt;
  return layout;
}

}  // namespace kurvex
