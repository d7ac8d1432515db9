// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kurvex {

/// What a CSV file holds, as its first lines tell.
struct TCsvLayout {
  enum TKind : std::uint8_t {
    Kurvex,   ///< a recording by Kurvex: every curve's scaled value, its ISO times
    Foreign,  ///< another program's: one numeric column is shown
  };
  enum TTimes : std::uint8_t { NoTimes, IsoTimes, Seconds };
  struct TColumn {
    std::string Name;
    std::size_t Index;  ///< 0-based field index
  };

  TKind Kind = Foreign;
  char Separator = ',';
  char Decimal = '.';
  /// Rows before the first data row (the header, 0 without one).
  std::int64_t HeaderLines = 1;
  /// Kurvex: the scaled column of each curve (a later header may add
  /// curves). Foreign: the columns holding numbers, one to choose.
  std::vector<TColumn> Values;
  TTimes Times = NoTimes;
  std::size_t TimeIndex = 0;
};

/// Whether `line` is the header Kurvex writes at Start or when curves are
/// added; its scaled columns then fill `values`.
bool ReadKurvexHeader(std::string_view line, char separator, std::vector<TCsvLayout::TColumn>& values);

/// The layout from the file's first rows (a header, if any, first; a byte
/// order mark removed); nothing when no column holds a number.
std::optional<TCsvLayout> DetectCsvLayout(const std::vector<std::string>& lines);

}  // namespace kurvex
