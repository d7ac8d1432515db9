// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

namespace kurvex {

/// A value read from a received line.
struct TWireNumber {
  long double Value = 0;
  /// The whole text was a number (or a number with "," for its point).
  bool Complete = false;
};

/// Reads the text of a line (already trimmed) in the instrument's number
/// format: optional sign, digits with an optional "." (digits may be missing
/// on either side, not on both), optional exponent. A text that is a number
/// in full with "," in place of "." takes that value, as instruments set to
/// a German locale send it; otherwise the longest leading number counts
/// ("12.5 V" gives 12.5, "abc" gives 0). The value is read in extended
/// precision; one beyond its range reads as infinity (or 0 when tiny).
TWireNumber ReadWireNumber(std::string_view text);

/// The value of a text that is a number in full in that format, with `point`
/// ("." or ",") as its decimal point; nothing for any other text.
std::optional<long double> ReadWholeNumber(std::string_view text, char point);

/// The text without bytes 0..32 at either end.
std::string_view TrimControlBytes(std::string_view text);

}  // namespace kurvex
