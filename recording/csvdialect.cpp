// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording/csvdialect.h"

#include <charconv>

namespace kurvex {

namespace {

void StartField(std::string& row, TCsvDialect dialect, bool first) {
  if (!first) row += CsvSeparator(dialect);
}

// Numbers never need quotes: the decimal separator differs from the field separator.
template <class T>
void AppendNumber(std::string& row, T value, TCsvDialect dialect, bool first) {
  StartField(row, dialect, first);
  char text[48];
  const auto [end, ec] = std::to_chars(text, text + sizeof text, value);
  const std::size_t start = row.size();
  row.append(text, end);
  if (CsvDecimalSeparator(dialect) == '.') return;
  for (std::size_t i = start; i < row.size(); ++i)
    if (row[i] == '.') row[i] = CsvDecimalSeparator(dialect);
}

}  // namespace

char CsvSeparator(TCsvDialect dialect) { return dialect == cdExcel ? ';' : ','; }

char CsvDecimalSeparator(TCsvDialect dialect) { return dialect == cdExcel ? ',' : '.'; }

void AppendCsvText(std::string& row, std::string_view text, TCsvDialect dialect, bool first) {
  StartField(row, dialect, first);
  const char special[] = {CsvSeparator(dialect), '"', '\r', '\n', '\0'};
  if (text.find_first_of(special) == std::string_view::npos) {
    row += text;
    return;
  }
  row += '"';
  for (char c : text) {
    if (c == '"') row += '"';
    row += c;
  }
  row += '"';
}

void AppendCsvValue(std::string& row, float value, TCsvDialect dialect, bool first) {
  AppendNumber(row, value, dialect, first);
}

void AppendCsvValue(std::string& row, double value, TCsvDialect dialect, bool first) {
  const auto single = static_cast<float>(value);
  if (static_cast<double>(single) == value)
    AppendNumber(row, single, dialect, first);
  else
    AppendNumber(row, value, dialect, first);
}

void AppendCsvInteger(std::string& row, std::int64_t value, TCsvDialect dialect, bool first) {
  AppendNumber(row, value, dialect, first);
}

void EndCsvRow(std::string& row) { row += "\r\n"; }

}  // namespace kurvex
