// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/instrument/instrumenttexts.h"

#include <cstdio>

#include "app/valuetext.h"
#include "serial/commandescapes.h"
#include "serial/sendqueue.h"

namespace kurvex {

namespace {

std::string OutcomeText(const TMonitorEntry& entry, std::span<const std::string> names, char decimalSeparator) {
  using TFate = TMonitorEntry::TFate;
  if (entry.Kind == TMonitorEntry::TKind::Sent) return Tr("Instrument", "gesendet");
  if (entry.Fate == TFate::TransmissionError) return Tr("Instrument", "Übertragungsfehler");
  if (entry.Fate == TFate::BeyondLimit) return Tr("Instrument", "nach dem Ende der Erfassung");
  if (entry.Present == 0) return Tr("Instrument", "keine Zahl");
  const auto named = [&](std::size_t curve) { return curve < names.size() && !names[curve].empty(); };
  std::string text;
  if (entry.Present == 1 && !named(0)) {
    text = ShortValueText(entry.Values[0], decimalSeparator);
  } else {
    for (std::size_t curve = 0; curve < kMaxCurves; ++curve) {
      if ((entry.Present >> curve & 1u) == 0) continue;
      if (!text.empty()) text += "; ";
      text += (named(curve) ? names[curve] : Fill(Tr("Instrument", "Kurve %1"), {std::to_string(curve + 1)})) +
              " = " + ShortValueText(entry.Values[curve], decimalSeparator);
    }
  }
  if (!entry.Complete) text = Fill(Tr("Instrument", "%1 (unvollständig)"), {text});
  return text;
}

std::string MillisecondsText(TQueryPacer::TDuration duration, char decimalSeparator) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f ms", static_cast<double>(duration.count()) / 1000.0);
  std::string result = text;
  for (char& c : result)
    if (c == '.') c = decimalSeparator;
  return result;
}

}  // namespace

std::string BadEscapeText(const std::string& typed, const std::string& badEscape) {
  return Fill(Tr("Instrument", "Der Befehl \"%1\" enthält die ungültige Escape-Folge %2; er wird nicht gesendet."),
              {typed, badEscape});
}

std::string SendQueueFullText() {
  return Fill(Tr("Instrument",
                 "Der Befehl wird nicht gesendet: %1 KiB warten schon darauf, dass die Leitung sie annimmt."),
              {std::to_string(kMaxQueuedSendBytes / 1024)});
}

std::string MonitorCell(const TMonitorEntry& entry, TMonitorColumn column, std::span<const std::string> names,
                        char decimalSeparator) {
  switch (column) {
    case TMonitorColumn::Time: return TimeOfDayText(entry.WallNs, decimalSeparator);
    case TMonitorColumn::Line:
      return (entry.Kind == TMonitorEntry::TKind::Sent ? "→ " : "") + ShowControlCharacters(entry.Bytes);
    case TMonitorColumn::Outcome: break;
  }
  return OutcomeText(entry, names, decimalSeparator);
}

std::string RoundTripText(const TQueryPacer::TRoundTrips& trips, char decimalSeparator) {
  if (!trips.Last) return Tr("Instrument", "Antwortzeit: –");
  return Fill(Tr("Instrument", "Antwortzeit: zuletzt %1 · Median %2 · max %3"),
              {MillisecondsText(*trips.Last, decimalSeparator), MillisecondsText(*trips.Median, decimalSeparator),
               MillisecondsText(*trips.Maximum, decimalSeparator)});
}

}  // namespace kurvex
