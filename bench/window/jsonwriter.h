// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kurvex::bench {

/// Builds JSON text member by member. The outermost object and every array
/// put each member on a line of its own; objects inside them are written on
/// one line, so a list of runs reads as one run a line. Keys and strings
/// are escaped; a number that is not finite is written as null.
class JsonWriter {
 public:
  JsonWriter& BeginObject() { return Open('{'); }
  JsonWriter& EndObject() { return Close('}'); }
  JsonWriter& BeginArray() { return Open('['); }
  JsonWriter& EndArray() { return Close(']'); }
  /// The key of the next member of the open object.
  JsonWriter& Key(std::string_view key);
  JsonWriter& String(std::string_view value);
  JsonWriter& Integer(long long value);
  /// With exactly `decimals` digits after the point.
  JsonWriter& Number(double value, int decimals);
  JsonWriter& Bool(bool value);
  /// The text so far, ended by a line break once everything is closed.
  std::string Text() const { return m_levels.empty() ? m_text + "\n" : m_text; }

 private:
  struct Level {
    char Close;
    bool OneLine;
    bool Empty = true;
  };
  JsonWriter& Open(char bracket);
  JsonWriter& Close(char bracket);
  /// Separator and line break before a value that is not a member's value.
  void BeginValue();
  void NewLine(std::size_t depth);
  void AppendEscaped(std::string_view text);

  std::vector<Level> m_levels;
  std::string m_text;
  bool m_afterKey = false;
};

}  // namespace kurvex::bench
