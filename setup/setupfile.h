// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "setup/setup.h"

namespace kurvex {

/// Largest setup file read; a larger one is no setup.
inline constexpr std::size_t kMaxSetupBytes = std::size_t{1} << 20;

/// An entry the reader skipped or stopped at: where and why.
struct TSetupProblem {
  /// 1-based line of the entry's key (of its first occurrence, should the
  /// file repeat it); for a text that is no JSON, the line of the error.
  int Line = 0;
  /// The entry as the file names it: "port.baudRate", "curves[2].color"
  /// (a curve by its number, 1 the first); empty where the text is no JSON.
  std::string Entry;
  /// The value as read, cut short: a text without its quotes, a number,
  /// true, false, null, "[…]" or "{…}".
  std::string Value;
  bool operator==(const TSetupProblem&) const = default;
};

/// What reading a setup file gave.
struct TSetupRead {
  /// Why nothing of the file applies.
  enum TRefusal {
    None,
    /// Not JSON, no object, no version entry or no valid one, too large.
    NotASetup,
    /// The text ends inside the document (a file cut short).
    CutShort,
    /// Written by a later format version than kSetupVersion.
    NewerVersion,
  };

  /// The settings read; empty when refused.
  TSetup Setup;
  TRefusal Refusal = None;
  /// Where the refusal was decided: the first thing that could not be read.
  std::optional<TSetupProblem> Refused;
  /// Entries with a bad value, skipped (the rest applies), in the order of
  /// their lines. Unknown entries are ignored without a word, so files of a
  /// later minor version open.
  std::vector<TSetupProblem> Skipped;
};

/// Reads the text of a setup file.
TSetupRead ReadSetup(std::string_view text);

/// The text a save writes: the format version and every entry that is set,
/// in UTF-8, ending in a line end. Reading it gives `setup` again where each
/// value is one the reader takes (curves beyond kMaxCurves are not written);
/// writing what was read gives the same bytes.
std::string SetupText(const TSetup& setup);

}  // namespace kurvex
