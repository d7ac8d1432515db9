// SPDX-License-Identifier: GPL-3.0-or-later
#include "csvimport/csvlines.h"

#include <algorithm>
#include <cstring>

namespace kurvex {

TCsvLines::TCsvLines(TReadFile& file, std::size_t maxLineBytes)
    // Room for a whole row of the limit and its end, and as much again to read into.
    : m_file(file), m_maxLine(maxLineBytes), m_buffer(2 * maxLineBytes + 4) {
  for (const char separator : {',', ';', '\t'}) m_separator[static_cast<unsigned char>(separator)] = true;
}

void TCsvLines::SetSeparator(char separator) {
  m_separator.fill(false);
  m_separator[static_cast<unsigned char>(separator)] = true;
}

bool TCsvLines::Next(TCsvLine& line) {
  const auto take = [&](std::size_t length, std::size_t ending) {
    line.Number = m_number + 1;
    m_number += 1 + m_breaks;
    line.TooLong = m_skipping || length > m_maxLine;
    line.Text = line.TooLong ? std::string_view() : std::string_view(m_buffer.data() + m_begin, length);
    line.Ended = ending > 0;
    line.OpenQuote = ending == 0 && !m_skipping && m_quoting == Quoted;
    m_begin += length + ending;
    m_scan = 0;
    m_quoting = FieldStart;
    m_breaks = 0;
    m_skipping = false;
    return true;
  };
  for (;;) {
    const char* const row = m_buffer.data() + m_begin;
    const std::size_t size = m_end - m_begin;
    for (std::size_t scan = m_scan; scan < size;) {
      const char* start = row + scan;
      const std::size_t rest = size - scan;
      const auto* lf = static_cast<const char*>(std::memchr(start, '\n', rest));
      const std::size_t before = lf != nullptr ? static_cast<std::size_t>(lf - start) : rest;
      const auto* cr = static_cast<const char*>(std::memchr(start, '\r', before));
      const std::size_t text = cr != nullptr ? static_cast<std::size_t>(cr - start) : before;
      if (!m_skipping) {
        const std::size_t from = m_begin + scan, to = from + text;
        if (QuoteIn(from, to))
          FollowQuotes(from, to);
        else if (text == rest && text > 0 && m_quoting != Quoted)
          // The row goes on in the next read: whether a field starts there matters.
          m_quoting = m_separator[static_cast<unsigned char>(m_buffer[to - 1])] ? FieldStart : InField;
      }
      scan += text;
      // No line end in what was read, or a CR at its end that may be the
      // first half of CR LF: the row goes on in the next read.
      if (scan == size || (cr != nullptr && scan + 1 == size && !m_atEnd)) {
        m_scan = scan;
        break;
      }
      const std::size_t ending = cr != nullptr && scan + 1 < size && cr[1] == '\n' ? 2 : 1;
      // A line break inside quotes is the field's, unless the row has grown
      // too long: then its quote may never close, and the row ends here.
      if (m_quoting != Quoted || scan > m_maxLine) return take(scan, ending);
      scan += ending;
      m_scan = scan;
      ++m_breaks;
    }
    if (m_atEnd && (size > 0 || m_skipping)) return take(size, 0);
    if (m_atEnd) return false;
    if (size > m_maxLine) {
      // No end in sight: forget the row's text, keep looking for the end of
      // its line, quotes or not. A CR not yet scanned may pair with the LF to come.
      m_skipping = true;
      m_quoting = InField;
      m_begin += m_scan;
      m_scan = 0;
    }
    if (!Fill()) return false;
  }
}

void TCsvLines::FindQuote(std::size_t from) {
  const auto* quote = static_cast<const char*>(std::memchr(m_buffer.data() + from, '"', m_end - from));
  m_quoteAt = quote != nullptr ? static_cast<std::size_t>(quote - m_buffer.data()) : std::string_view::npos;
  m_searchedTo = m_end;
}

void TCsvLines::FollowQuotes(std::size_t from, std::size_t to) {
  const auto separator = [this](char c) { return m_separator[static_cast<unsigned char>(c)]; };
  for (const char c : std::string_view(m_buffer.data() + from, to - from)) {
    switch (m_quoting) {
      case FieldStart:
      case QuoteInQuoted:  // a second quote is one the field holds
        m_quoting = c == '"' ? Quoted : separator(c) ? FieldStart : InField;
        break;
      case InField:
        if (separator(c)) m_quoting = FieldStart;
        break;
      case Quoted:
        if (c == '"') m_quoting = QuoteInQuoted;
        break;
    }
  }
}

bool TCsvLines::Fill() {
  const std::size_t left = m_end - m_begin;
  std::memmove(m_buffer.data(), m_buffer.data() + m_begin, left);
  m_begin = 0;
  m_end = left;
  m_quoteAt = std::string_view::npos;
  m_searchedTo = 0;
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
