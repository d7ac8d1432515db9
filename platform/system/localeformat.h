// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kurvex {

/// The separators numbers are shown and typed with.
struct LocaleSeparators {
  char Decimal = '.';
  char Thousands = ',';
  friend bool operator==(const LocaleSeparators&, const LocaleSeparators&) = default;
};

/// The separators of a named locale ("de_DE", "en_US"). A separator the
/// locale writes as anything but one plain ASCII character (a non-breaking
/// space, a typographic apostrophe) becomes '.' or ',', whichever the other
/// separator is not, so the two always differ.
LocaleSeparators SeparatorsOfLocale(const std::string& name);

/// The system locale's separators, read once on first use, or the override.
/// GUI thread.
LocaleSeparators CurrentSeparators();
inline char DecimalSeparator() { return CurrentSeparators().Decimal; }
inline char ThousandSeparator() { return CurrentSeparators().Thousands; }

/// For tests: use `separators` instead of the system's until reset.
void OverrideLocaleSeparators(LocaleSeparators separators);
void ResetLocaleSeparators();

}  // namespace kurvex
