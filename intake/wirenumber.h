// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

namespace kurvex {

/// A value read from a received line.
struct TWireNumber {
  /// None when the text holds no number: a gap, never an invented 0.
  std::optional<long double> Value;
  /// The whole text was a number, with "." or "," for its point, or one
  /// number and a unit after it ("12,5 V", "21.5°C").
  bool Complete = false;
  /// The unit after the number in a complete line ("V" of "12,5 V"), which
  /// points into the text; empty for none.
  std::string_view Unit{};
};

/// Reads the text of a line (already trimmed) in the instrument's number
/// format: optional sign, digits with an optional "." (digits may be missing
/// on either side, not on both), optional exponent. "," may stand for the
/// point, as instruments set to a German locale send it. The longest leading
/// number counts: followed by a unit (text without digits) the line is
/// complete; followed by anything else it is not ("1.2.3" gives 1.2, "1e"
/// gives 1). A text without a leading number ("abc", "nan", "-"), or whose
/// number runs on into a word with digits ("0x10"), has no value; the empty
/// text is 0, not complete. The value is read in extended precision; one
/// beyond its range reads as infinity (or 0 when tiny).
TWireNumber ReadWireNumber(std::string_view text);

/// True when `text` may stand after a number as its unit: no digits, no
/// field or name marks, and not the start of a number's continuation.
bool IsUnitText(std::string_view text);

/// The value of a text that is a number in full in that format, with `point`
/// ("." or ",") as its decimal point; nothing for any other text.
std::optional<long double> ReadWholeNumber(std::string_view text, char point);

/// The text without bytes 0..32 at either end.
std::string_view TrimControlBytes(std::string_view text);

}  // namespace kurvex
