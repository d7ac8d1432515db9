// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/notices/noticetexts.h"

#include "intake/intakestate.h"

namespace kurvex {

std::string InputNoticeText(const TInputNotices& notices) {
  std::string text;
  const auto add = [&text](const std::string& part) {
    if (!text.empty()) text += " · ";
    text += part;
  };
  if (notices.InvalidLines > 0) add("Ungültige Zeilen: " + std::to_string(notices.InvalidLines));
  if (notices.TransmissionErrors > 0) add("Übertragungsfehler: " + std::to_string(notices.TransmissionErrors));
  if (notices.Overloaded) add("Eingang überlastet");
  if (notices.Overruns > 0) {
    add("Daten verloren: " + std::to_string(notices.Overruns) +
        (notices.Overruns == 1 ? " Überlauf" : " Überläufe"));
  }
  if (!notices.SuggestedFormat.empty()) add("Viele Bytes mit Bit 7 – Datenformat " + notices.SuggestedFormat + "?");
  if (notices.TooManyValues) add("Mehr als " + std::to_string(kMaxCurves) + " Werte je Zeile – weitere ignoriert");
  if (notices.NoLineEnd) add("Keine Zeilenenden – Baudrate und Datenformat prüfen");
  if (notices.NoAnswer > 0) add("Ohne Antwort: " + std::to_string(notices.NoAnswer));
  if (notices.SendStalled) add("Senden hängt");
  return text;
}

}  // namespace kurvex
