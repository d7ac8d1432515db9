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
  std::int64_t TransmissionErrors = 0;  ///< lines with a character received with an error
  std::string SuggestedFormat;          ///< the data format the received bytes suggest
  bool TooManyValues = false;  ///< a line had values beyond the last curve
  bool NoLineEnd = false;      ///< bytes keep coming, none ends a line
  std::int64_t NoAnswer = 0;   ///< queries that got no answer
  bool SendStalled = false;    ///< bytes to send wait for a line that takes none
};

/// "Ungültige Zeilen: 3 · Übertragungsfehler: 1 · Eingang überlastet ·
/// Daten verloren: 2 Überläufe · Viele Bytes mit Bit 7 – Datenformat 7E1? ·
/// Mehr als 16 Werte je Zeile – weitere ignoriert · Keine Zeilenenden –
/// Baudrate und Datenformat prüfen · Ohne Antwort: 3 · Senden hängt";
/// only the parts that apply, empty when none does.
std::string InputNoticeText(const TInputNotices& notices);

}  // namespace kurvex
