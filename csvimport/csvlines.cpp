// SPDX-License-Identifier: GPL-3.0-or-later
#include "csvimport/csvlines.h"

#include <algorithm>
#include <cstring>

namespace kurvex {

TCsvLines::TCsvLines(TReadFile& file, std::size_t maxLineBytes)
    // Room for a whole line of the limit and its end, and as much again to read into.
    : m_file(file), m_maxLine(maxLineBytes), m_buffer(2 * maxLineBytes + 4) {}

bool TCsvLines::Next(TCsvLine& line) {
  for (;;) {
    const char* start = m_buffer.data() + m_begin;
    const std::size_t size = m_end - m_begin;
    const auto* lf = static_cast<const char*>(std::memchr(start, '\n', size));
    const std::size_t before = lf != nullptr ? static_cast<std::size_t>(lf - start) : size;
    const auto* cr = static_cast<const char*>(std::memchr(start, '\r', before));
    std::size_t length = 0, ending = 0;
    if (cr != nullptr) {
      length = static_cast<std::size_t>(cr - start);
      // A CR at the end of what was read may be the first half of CR LF.
      if (length + 1 < size || m_atEnd) ending = length + 1 < size && cr[1] == '\n' ? 2 : 1;
    } else if (lf != nullptr) {
      length = before;
      ending = 1;
    }
    if (ending > 0 || (m_atEnd && (size > 0 || m_skipping))) {
      if (ending == 0) length = size;
      line.Number = ++m_number;
      line.TooLong = m_skipping || length > m_maxLine;
      line.Text = line.TooLong ? std::string_view() : std::string_view(start, length);
      line.Ended = ending > 0;
      m_skipping = false;
      Consume(length + ending);
      return true;
    }
    if (m_atEnd) return false;
    if (size > m_maxLine) {
      // No end in sight: forget the line's text, keep looking for its end.
      m_skipping = true;
      // A CR at the end (only there, or the line would have ended) may pair with the LF to come.
      m_begin = m_end - (cr != nullptr ? 1 : 0);
    }
    if (!Fill()) return false;
  }
}

bool TCsvLines::Fill() {
  const std::size_t left = m_end - m_begin;
  std::memmove(m_buffer.data(), m_buffer.data() + m_begin, left);
  m_begin = 0;
  m_end = left;
  if (m_stop != nullptr && *m_stop) return false;
  std::size_t got = 0;
  const auto allowed = static_cast<std::size_t>(std::max<std::int64_t>(0, m_readLimit - m_bytesRead));
  const std::size_t room = std::min(m_buffer.size() - m_end, allowed);
  if (!m_file.Read(m_buffer.data() + m_end, room, got)) return false;
  m_end += got;
  m_bytesRead += static_cast<std::int64_t>(got);
  m_atEnd = got < room || m_bytesRead >= m_readLimit;
  return true;
}

}  // namespace kurvex
