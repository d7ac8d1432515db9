// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/curves/curvetexts.h"

#include <array>
#include <cstdio>

#include "intake/intakestate.h"
#include "platform/system/translate.h"

namespace kurvex {

std::string CurveScaleFromNextStartText() {
  return Tr("Curves", "Übernommen. Faktor, Offset und Einheit gelten ab dem nächsten Start.");
}

std::string RightLogRefusal() {
  return Tr("Curves",
            "Die rechte Y-Achse kann nur Werte größer als 0 logarithmisch zeigen; sie zeigt Werte bis 0 oder "
            "darunter und bleibt linear.");
}

std::string RightRangeRefusal() {
  return Tr("Curves",
            "Die rechte Y-Achse braucht einen Bereich, dessen Anfang kleiner als sein Ende ist; sie bleibt, wie sie "
            "war.");
}

std::string ZeroFactorRefusal() {
  return Tr("Curves", "Ein Faktor von 0 würde die Kurve flach machen; der Faktor bleibt, wie er war.");
}

std::string NotANumberRefusal(const std::string& field) {
  return Fill(Tr("Curves", "\"%1\" ist keine Zahl; der Kanal bleibt, wie er war."), {field});
}

std::string TooLongRefusal(const std::string& field, std::size_t maxBytes) {
  return Fill(Tr("Curves", "\"%1\" darf höchstens %2 Zeichen lang sein; der Kanal bleibt, wie er war."),
              {field, std::to_string(maxBytes)});
}

std::string TooLargeRefusal(const std::string& field) {
  return Fill(Tr("Curves", "\"%1\" ist zu groß; der Kanal bleibt, wie er war."), {field});
}

std::string CurveColorName(std::size_t curve) {
  // In the order of CurveColor's palette.
  static constexpr std::array<TText, kMaxCurves> kNames = {
      TrNoop("Curves", "Blau"),     TrNoop("Curves", "Orange"),     TrNoop("Curves", "Blaugrün"),
      TrNoop("Curves", "Zinnober"), TrNoop("Curves", "Rosa"),       TrNoop("Curves", "Himmelblau"),
      TrNoop("Curves", "Schwarz"),  TrNoop("Curves", "Indigo"),     TrNoop("Curves", "Grün"),
      TrNoop("Curves", "Oliv"),     TrNoop("Curves", "Weinrot"),    TrNoop("Curves", "Türkis"),
      TrNoop("Curves", "Altrosa"),  TrNoop("Curves", "Purpur"),     TrNoop("Curves", "Sand"),
      TrNoop("Curves", "Hellblau")};
  return Tr(kNames[curve % kNames.size()]);
}

std::string OtherColorText(TColor color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", GetRValue(color), GetGValue(color), GetBValue(color));
  return text;
}

}  // namespace kurvex
