// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "csvimport/csvlayout.h"
#include "history/history.h"

namespace kurvex {

/// A load in progress, shared with the thread that watches it.
struct TCsvProgress {
  std::atomic<std::int64_t> BytesRead{0};
  std::atomic<std::int64_t> TotalBytes{0};
  /// Set by the watcher: the load stops soon after.
  std::atomic<bool> Cancel{false};
};

/// Why a row was not loaded.
enum class TBadRow : std::uint8_t {
  NotANumber,  ///< a value that is no number
  OutOfRange,  ///< a number beyond single precision ("1e400")
  BadTime,     ///< the time column holds no time
  Incomplete,  ///< fewer fields than the header, a row cut off at the end, or a quote never closed
  TooLong,     ///< longer than a row can be
};

/// What loading found.
struct TCsvLoad {
  int Error = 0;  ///< errno when the file could not be read
  bool Cancelled = false;
  std::int64_t Rows = 0;  ///< rows loaded
  std::int64_t BadRows = 0;
  std::int64_t FirstBadLine = 0;  ///< the line the first bad row starts on, counted from 1 as an editor shows it
  TBadRow FirstBad = TBadRow::NotANumber;
  /// The names of the columns shown, one per curve, as the file's last
  /// header gives them (a later header of a recording adds curves).
  std::vector<std::string> ColumnNames;
};

/// What the start of a file says about it.
struct TCsvProbe {
  int Error = 0;                     ///< errno when the file could not be read
  std::optional<TCsvLayout> Layout;  ///< nothing when no column holds numbers
};

/// Reads the first lines of `fileName` and decides its layout.
TCsvProbe ProbeCsvFile(const std::string& fileName);

/// Reads `fileName` in blocks into `history` (cleared first): a Kurvex
/// recording with every curve, a foreign file with its numeric column
/// `value` (an index into layout.Values), each row (a quoted field may hold
/// line breaks) one sample at the time of its time column (none without
/// one). A bad row becomes a gap without a time, so the samples keep the
/// numbers of the rows; the good rows load. Reports progress and
/// stops when asked to; nothing is written. Any thread; `history` is the caller's alone.
TCsvLoad LoadCsvFile(const std::string& fileName, const TCsvLayout& layout, std::size_t value, THistory& history,
                     TCsvProgress& progress);

}  // namespace kurvex
