// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/notices/noticetexts.h"

#include "intake/intakestate.h"
#include "platform/system/translate.h"

namespace kurvex {

std::string InputNoticeText(const TInputNotices& notices) {
  std::string text;
  const auto add = [&text](const std::string& part) {
    if (!text.empty()) text += " · ";
    text += part;
  };
  if (notices.InvalidLines > 0)
    add(Fill(Tr("Notices", "Ungültige Zeilen: %1"), {std::to_string(notices.InvalidLines)}));
  if (notices.TransmissionErrors > 0)
    add(Fill(Tr("Notices", "Übertragungsfehler: %1"), {std::to_string(notices.TransmissionErrors)}));
  if (notices.Overloaded) add(Tr("Notices", "Eingang überlastet"));
  if (notices.Overruns > 0) {
    add(Fill(notices.Overruns == 1 ? Tr("Notices", "Daten verloren: %1 Überlauf")
                                   : Tr("Notices", "Daten verloren: %1 Überläufe"),
             {std::to_string(notices.Overruns)}));
  }
  if (!notices.SuggestedFormat.empty())
    add(Fill(Tr("Notices", "Viele Bytes mit Bit 7 – Datenformat %1?"), {notices.SuggestedFormat}));
  if (notices.TooManyValues)
    add(Fill(Tr("Notices", "Mehr als %1 Werte je Zeile – weitere ignoriert"), {std::to_string(kMaxCurves)}));
  if (notices.NoLineEnd) add(Tr("Notices", "Keine Zeilenenden – Baudrate und Datenformat prüfen"));
  if (notices.NoAnswer > 0) add(Fill(Tr("Notices", "Ohne Antwort: %1"), {std::to_string(notices.NoAnswer)}));
  if (notices.SendStalled) add(Tr("Notices", "Senden hängt"));
  return text;
}

}  // namespace kurvex
