// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace kurvex {

/// What a typed command becomes for the line.
struct TCommandBytes {
  /// The bytes to send; empty when BadEscape is set.
  std::string Bytes;
  /// The first escape that is none, as typed ("\q", "\x4", a "\" at the
  /// end); empty when the command is fine.
  std::string BadEscape;

  bool Ok() const { return BadEscape.empty(); }
};

/// The bytes of a typed command: its text as it is (UTF-8), with the
/// escapes \r, \n, \t, \\ and \xNN (exactly two hex digits, either case)
/// replaced by the bytes they stand for.
TCommandBytes ParseCommandEscapes(std::string_view typed);

/// Bytes from or for the line as readable UTF-8 text: CR and LF as the
/// symbols ␍ and ␊ (so a line's end shows where it is), TAB as \t, every
/// other control byte and every byte outside a valid UTF-8 sequence as \xNN
/// (upper-case hex), and a backslash as \\, so the text never looks like an
/// escape it is not. Other characters are kept.
std::string ShowControlCharacters(std::string_view bytes);

}  // namespace kurvex
