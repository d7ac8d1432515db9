// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace kurvex {

/// One value of a line: its name and unit (empty for none), which point
/// into the line, and the number as read.
struct TLineValue {
  std::string_view Name;
  long double Value = 0;
  std::string_view Unit{};
};

/// The values of one line.
///
/// A line is cut into fields at ";", tabs, blanks and other bytes up to 32,
/// except that blanks next to ":" or "=" belong to the name. A field is
///  - a number, with "." or "," as its decimal mark ("12,5" is 12.5, and so
///    is "1,2": an instrument with two values writes "1;2");
///  - numbers joined by "," without blanks ("1.5,2.5", "1,2,3"), one value
///    each;
///  - `Name:number` or `Name=number` (the name trimmed; a name that is
///    itself a number, as in "18:35", makes no name);
///  - anything else, which is skipped; right after a field of one value, a
///    field that can be a unit ("V", "°C", "%") is that value's unit.
/// A "," that ends a field separates it from the next ("1, 2" is 1 and 2).
///
/// A line with fewer than two values, none of them named, is no line of
/// values: it is one number as ever (ReadWireNumber: "12.5 V" is 12.5, not a
/// number in full), and so is a line that is one number in full ("1,2").
/// Numbers are read without the system locale. Reading allocates nothing.
class TLineValues {
 public:
  /// Values kept of one line; further ones are only counted.
  static constexpr std::size_t kCapacity = 64;
  /// Longest name; a longer one makes its field no value, and the line no
  /// good line (Refused).
  static constexpr std::size_t kMaxName = 64;

  /// Reads a line, without its line end and the control bytes at either
  /// end, that is not one number in full. True when it is a line of values.
  bool Read(std::string_view text);

  /// The values kept, in the order of the line.
  std::span<const TLineValue> Kept() const { return {m_values.data(), m_count < kCapacity ? m_count : kCapacity}; }
  /// True when the line had more values than are kept.
  bool Dropped() const { return m_count > kCapacity; }
  /// True when a field named a value under a name too long to keep: the
  /// value is lost, and nothing else of the field (such as digits at the
  /// start of its name) may stand in for it.
  bool Refused() const { return m_refused; }

 private:
  void ReadField(std::string_view field);
  void Add(std::string_view name, long double value);

  std::array<TLineValue, kCapacity> m_values;
  std::size_t m_count = 0;  // every value found, kept or not
  std::size_t m_unitFor = kCapacity;  // the value the next field may give a unit; none: kCapacity
  bool m_refused = false;
};

}  // namespace kurvex
