// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace kurvex {

/// What went wrong with the received input, for status panel 2.
struct TInputNotices {
  std::int64_t InvalidLines = 0;  ///< lines that were not a number
  bool Overloaded = false;        ///< input waits because it comes faster than it is taken
  std::uint64_t Overruns = 0;     ///< times the driver dropped received bytes
};

/// "Ungültige Zeilen: 3 · Eingang überlastet · Daten verloren: 2 Überläufe";
/// only the parts that apply, empty when none does.
std::string InputNoticeText(const TInputNotices& notices);

}  // namespace kurvex
