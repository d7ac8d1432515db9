// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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
StrictCsv ReadStrictCsv(const std::string& text, char separator);

/// The contents of a file ("" when it cannot be read).
std::string FileText(const std::string& path);

/// A decimal text with the given decimal separator as a float; throws
/// std::invalid_argument unless the whole text is a number.
float StrictFloat(std::string text, char decimalSeparator);

}  // namespace kurvex::test
