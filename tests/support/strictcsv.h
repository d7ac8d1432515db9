// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <charconv>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace kurvex::test {

/// A CSV text read by the letter of RFC 4180 with the given separator:
/// every row ends in CR LF (the last one too), a field is either plain (no
/// quote, separator, CR or LF in it) or wholly in double quotes with inner
/// quotes doubled, and all rows have as many fields as the first. Error
/// says what broke the rules first, with the row's number; Rows is what was
/// read up to there.
struct StrictCsv {
  std::vector<std::vector<std::string>> Rows;
  std::string Error;
};

inline StrictCsv ReadStrictCsv(const std::string& text, char separator) {
  StrictCsv csv;
  std::vector<std::string> row;
  std::string field;
  std::size_t i = 0;
  const auto fail = [&](const std::string& what) {
    csv.Error = "row " + std::to_string(csv.Rows.size() + 1) + ": " + what;
    return csv;
  };
  while (i < text.size()) {
    if (text[i] == '"') {
      for (++i;; ++i) {
        if (i >= text.size()) return fail("unterminated quoted field");
        if (text[i] != '"') {
          field += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '"') {
          field += '"';
          ++i;
        } else {
          ++i;
          break;
        }
      }
    } else {
      while (i < text.size() && text[i] != separator && text[i] != '\r' && text[i] != '\n') {
        if (text[i] == '"') return fail("quote inside a plain field");
        field += text[i++];
      }
    }
    row.push_back(std::move(field));
    field.clear();
    if (i < text.size() && text[i] == separator) {
      ++i;
      continue;
    }
    if (text.compare(i, 2, "\r\n") != 0) return fail(i >= text.size() ? "last row without CR LF" : "stray character");
    i += 2;
    if (!csv.Rows.empty() && row.size() != csv.Rows.front().size()) return fail("wrong number of fields");
    csv.Rows.push_back(std::move(row));
    row.clear();
  }
  return csv;
}

/// The contents of a file ("" when it cannot be read).
inline std::string FileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

/// A decimal text with the given decimal separator as a float; throws
/// std::invalid_argument unless the whole text is a number.
inline float StrictFloat(std::string text, char decimalSeparator) {
  for (char& c : text) {
    if (c == '.' && decimalSeparator != '.') throw std::invalid_argument("'.' in " + text);
    if (c == decimalSeparator) c = '.';
  }
  float value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty())
    throw std::invalid_argument("not a number: " + text);
  return value;
}

}  // namespace kurvex::test
