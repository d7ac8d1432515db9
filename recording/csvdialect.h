// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kurvex {

/// How a CSV file separates its fields and writes decimals. Rows end in
/// CR LF in both.
enum TCsvDialect : std::uint8_t {
  cdComma,  ///< RFC 4180: fields separated by ",", decimal point
  cdExcel,  ///< as a German spreadsheet opens it: ";" and decimal comma
};

char CsvSeparator(TCsvDialect dialect);
char CsvDecimalSeparator(TCsvDialect dialect);

/// Appends text as one field (after a separator unless it is the row's
/// first), in double quotes when it holds the separator, a quote or a line
/// break; quotes inside are doubled.
void AppendCsvText(std::string& row, std::string_view text, TCsvDialect dialect, bool first = false);
/// Appends a single-precision value in the shortest text that reads back as
/// the same float, with the dialect's decimal separator.
void AppendCsvValue(std::string& row, float value, TCsvDialect dialect, bool first = false);
/// A double that is exactly a float is written as that float; any other in
/// the shortest text that reads back as the same double.
void AppendCsvValue(std::string& row, double value, TCsvDialect dialect, bool first = false);
/// Appends an integer field.
void AppendCsvInteger(std::string& row, std::int64_t value, TCsvDialect dialect, bool first = false);
/// Ends the row (CR LF).
void EndCsvRow(std::string& row);

}  // namespace kurvex
