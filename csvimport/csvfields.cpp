// SPDX-License-Identifier: GPL-3.0-or-later
#include "csvimport/csvfields.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace kurvex {

namespace {

// Longer than any number worth reading; longer fields are no number.
constexpr std::size_t kNumberRoom = 64;

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

template <class T>
TCsvNumber ReadNumber(std::string_view field, char decimal, T& value) {
  std::string_view text = Trimmed(field);
  if (text.empty()) return TCsvNumber::Gap;
  if (text.front() == '+') text.remove_prefix(1);
  char local[kNumberRoom];
  if (decimal != '.') {
    // The decimal comma becomes a point in a copy; a point is then no decimal mark.
    if (text.size() > sizeof local || text.find('.') != std::string_view::npos) return TCsvNumber::NotANumber;
    std::memcpy(local, text.data(), text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
      if (local[i] == decimal) local[i] = '.';
    text = {local, text.size()};
  }
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec == std::errc::result_out_of_range) return TCsvNumber::OutOfRange;
  if (ec != std::errc() || end != text.data() + text.size()) return TCsvNumber::NotANumber;
  if (std::isnan(value)) return TCsvNumber::Gap;
  if (std::isinf(value)) return TCsvNumber::OutOfRange;
  return TCsvNumber::Number;
}

}  // namespace

void SplitCsvFields(std::string_view line, char separator, std::vector<std::string_view>& fields) {
  fields.clear();
  std::size_t pos = 0;
  for (;;) {
    if (pos < line.size() && line[pos] == '"') {
      // To the quote that is not doubled; the field ends at the next separator.
      std::size_t close = pos + 1;
      while ((close = line.find('"', close)) != std::string_view::npos && close + 1 < line.size() &&
             line[close + 1] == '"')
        close += 2;
      if (close == std::string_view::npos) close = line.size();
      fields.push_back(line.substr(pos + 1, close - pos - 1));
      pos = line.find(separator, close);
    } else {
      const std::size_t next = line.find(separator, pos);
      fields.push_back(line.substr(pos, next == std::string_view::npos ? std::string_view::npos : next - pos));
      pos = next;
    }
    if (pos == std::string_view::npos) return;
    ++pos;
  }
}

std::vector<std::string> CsvHeaderFields(std::string_view line, char separator) {
  std::vector<std::string_view> fields;
  SplitCsvFields(line, separator, fields);
  std::vector<std::string> names;
  names.reserve(fields.size());
  for (std::string_view field : fields) {
    std::string name;
    for (std::size_t i = 0; i < field.size(); ++i) {
      const char c = field[i];
      // A name is shown on one line, so its line break (CR LF too) is one space.
      name += c == '\r' || c == '\n' ? ' ' : c;
      if ((c == '"' && i + 1 < field.size() && field[i + 1] == '"') ||
          (c == '\r' && i + 1 < field.size() && field[i + 1] == '\n'))
        ++i;
    }
    names.emplace_back(Trimmed(name));
  }
  return names;
}

TCsvNumber ReadCsvNumber(std::string_view field, char decimal, float& value) {
  return ReadNumber(field, decimal, value);
}

TCsvNumber ReadCsvNumber(std::string_view field, char decimal, double& value) {
  return ReadNumber(field, decimal, value);
}

}  // namespace kurvex
