// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kurvex {

/// Cuts `line` (a row) at `separator` into `fields` (reused, so a row costs
/// no allocation). A field in double quotes may hold the separator and line
/// breaks; its view is what lies between the quotes, doubled quotes left as
/// they are.
void SplitCsvFields(std::string_view line, char separator, std::vector<std::string_view>& fields);
/// A header's fields as texts: quotes removed, doubled quotes made single,
/// a line break made a space, spaces around trimmed.
std::vector<std::string> CsvHeaderFields(std::string_view line, char separator);

/// What a field holds as a number.
enum class TCsvNumber : std::uint8_t {
  Number,
  Gap,         ///< empty, or "nan": no value here
  NotANumber,  ///< text, or a number with text around it
  OutOfRange,  ///< beyond the type's range ("1e400", infinity)
};

/// Reads a decimal number with `decimal` ('.' or ',') as its decimal mark,
/// locale-independent; spaces around it and a leading '+' are allowed.
TCsvNumber ReadCsvNumber(std::string_view field, char decimal, float& value);
TCsvNumber ReadCsvNumber(std::string_view field, char decimal, double& value);

}  // namespace kurvex
