// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

#include "platform/system/readfile.h"

namespace kurvex {

/// One row of a CSV file without its line end: a line, or several when a
/// quoted field holds line breaks.
struct TCsvLine {
  std::string_view Text;    ///< empty when TooLong; a quoted field's line breaks as they are
  std::int64_t Number = 0;  ///< the line it starts on, counted from 1 as an editor shows it
  bool TooLong = false;     ///< longer than the limit: its text is skipped
  bool Ended = true;        ///< false for a last row without a line end
  bool OpenQuote = false;   ///< the file ended inside a quoted field
};

/// The rows of a file read in blocks, so a file of any size costs the
/// same memory: CR LF, LF and CR each end a line, mixed as they come,
/// except inside a field in double quotes, which may hold them. A row
/// longer than the limit is reported as TooLong and skipped up to the end
/// of the line on which it grew too long, quotes or not, so neither an
/// endless line nor a quote that never closes can exhaust memory or
/// swallow the file.
class TCsvLines {
 public:
  static constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20;

  explicit TCsvLines(TReadFile& file, std::size_t maxLineBytes = kMaxLineBytes);
  /// A double quote opens a field at a row's start or after `separator`;
  /// until this is called, after any of ',', ';' and tab.
  void SetSeparator(char separator);
  /// The file ends for these rows after `bytes` (a look at its start).
  void ReadAtMost(std::int64_t bytes) { m_readLimit = bytes; }
  /// Reading ends once `stop` is set, also inside an endless row.
  void StopWhen(const std::atomic<bool>& stop) { m_stop = &stop; }
  /// The next row; false at the end of the file, when reading failed
  /// (the file's Error() tells) or was stopped.
  bool Next(TCsvLine& line);
  /// Bytes read from the file so far.
  std::int64_t BytesRead() const { return m_bytesRead; }

 private:
  /// Where the scan of a row stands in its quotes.
  enum TQuoting : std::uint8_t {
    FieldStart,     // a quote here opens a quoted field
    InField,        // quotes here are text
    Quoted,         // inside quotes: line ends and separators are the field's
    QuoteInQuoted,  // after a quote inside quotes: closed, unless another follows
  };

  /// Follows the quotes through the bytes [from, to) of the buffer, a part
  /// of a line that holds a quote.
  void FollowQuotes(std::size_t from, std::size_t to);
  /// Whether the bytes [from, to) of the buffer hold a quote; `from` rises
  /// from call to call until the next Fill.
  bool QuoteIn(std::size_t from, std::size_t to) {
    const bool known = m_quoteAt == std::string_view::npos ? to <= m_searchedTo : from <= m_quoteAt;
    if (!known) FindQuote(from);
    return m_quoteAt < to;
  }
  void FindQuote(std::size_t from);
  /// Moves what is left to the buffer's start and reads behind it; false
  /// when reading failed.
  bool Fill();

  TReadFile& m_file;
  std::size_t m_maxLine;
  std::vector<char> m_buffer;
  std::size_t m_begin = 0, m_end = 0;  // the unread bytes
  bool m_atEnd = false;                // the file has no more bytes
  std::array<bool, 256> m_separator{};  // by byte: a quote after it opens a field
  // The row being scanned: bytes scanned from m_begin, the quoting there and
  // the line breaks inside quotes so far.
  std::size_t m_scan = 0;
  TQuoting m_quoting = FieldStart;
  // The buffer's next quote (npos: none before m_searchedTo), found once
  // for many lines: most files have none, or only in their header.
  std::size_t m_quoteAt = std::string_view::npos;
  std::size_t m_searchedTo = 0;
  std::int64_t m_breaks = 0;
  bool m_skipping = false;  // inside a row that is too long
  std::int64_t m_number = 0;
  std::int64_t m_bytesRead = 0;
  std::int64_t m_readLimit = std::numeric_limits<std::int64_t>::max();
  const std::atomic<bool>* m_stop = nullptr;
};

}  // namespace kurvex
