// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <atomic>
#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

#include "platform/system/readfile.h"

namespace kurvex {

/// One line of a text file, without its line end.
struct TCsvLine {
  std::string_view Text;    ///< empty when TooLong
  std::int64_t Number = 0;  ///< counted from 1, as an editor shows it
  bool TooLong = false;     ///< longer than the limit: its text is skipped
  bool Ended = true;        ///< false for a last line without a line end
};

/// The lines of a file read in blocks, so a file of any size costs the
/// same memory: CR LF, LF and CR each end a line, mixed as they come. A
/// line longer than the limit is reported as TooLong and skipped up to its
/// end, so one endless line cannot exhaust memory.
class TCsvLines {
 public:
  static constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20;

  explicit TCsvLines(TReadFile& file, std::size_t maxLineBytes = kMaxLineBytes);
  /// The file ends for these lines after `bytes` (a look at its start).
  void ReadAtMost(std::int64_t bytes) { m_readLimit = bytes; }
  /// Reading ends once `stop` is set, also inside an endless line.
  void StopWhen(const std::atomic<bool>& stop) { m_stop = &stop; }
  /// The next line; false at the end of the file, when reading failed
  /// (the file's Error() tells) or was stopped.
  bool Next(TCsvLine& line);
  /// Bytes read from the file so far.
  std::int64_t BytesRead() const { return m_bytesRead; }

 private:
  /// Moves what is left to the buffer's start and reads behind it; false
  /// when reading failed.
  bool Fill();
  void Consume(std::size_t bytes) { m_begin += bytes; }

  TReadFile& m_file;
  std::size_t m_maxLine;
  std::vector<char> m_buffer;
  std::size_t m_begin = 0, m_end = 0;  // the unread bytes
  bool m_atEnd = false;                // the file has no more bytes
  bool m_skipping = false;             // inside a line that is too long
  std::int64_t m_number = 0;
  std::int64_t m_bytesRead = 0;
  std::int64_t m_readLimit = std::numeric_limits<std::int64_t>::max();
  const std::atomic<bool>* m_stop = nullptr;
};

}  // namespace kurvex
