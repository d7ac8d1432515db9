// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <map>
#include <span>
#include <string>
#include <string_view>

namespace kurvex {

/// The name of the member `key` of the entry `parent` ("port.baudRate"),
/// and of the array entry's element `number` ("curves[2]", 1 the first).
std::string MemberEntry(std::string_view parent, std::string_view key);
std::string ElementEntry(std::string_view array, std::size_t number);

/// The lines of some entries of a JSON text, down to the members of an
/// array's objects ("curves[2].color"). The JSON reader gives values
/// without positions, so the text is scanned once more on its own: an
/// entry's line is the line its key (an element: its value) starts on, the
/// first occurrence if the key repeats. Keys written with escapes are not
/// found. Only the entries asked for and those enclosing them are kept.
class TEntryLines {
 public:
  /// `text` is a valid JSON text; anything else ends the scan early.
  TEntryLines(std::string_view text, std::span<const std::string> entries);
  /// The line of `entry`; of its nearest enclosing entry that was found if
  /// not found itself; else 1.
  int Line(std::string_view entry) const;

 private:
  void Value(const std::string& entry, int depth);
  void Note(const std::string& entry, int line);
  void Skip();
  void SkipString();
  void SkipNested();
  bool At(char c) const { return m_at < m_text.size() && m_text[m_at] == c; }

  std::string_view m_text;
  std::size_t m_at = 0;
  int m_line = 1;
  std::map<std::string, int, std::less<>> m_lines;
};

}  // namespace kurvex
