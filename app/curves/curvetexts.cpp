// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/curves/curvetexts.h"

#include <array>
#include <cstdio>

#include "intake/intakestate.h"

namespace kurvex {

std::string CurveScaleFromNextStartText() {
  return "Übernommen. Faktor, Offset und Einheit gelten ab dem nächsten Start.";
}

std::string RightLogRefusal() {
  return "Die rechte Y-Achse kann nur Werte größer als 0 logarithmisch zeigen; sie zeigt Werte bis 0 oder darunter "
         "und bleibt linear.";
}

std::string RightRangeRefusal() {
  return "Die rechte Y-Achse braucht einen Bereich, dessen Anfang kleiner als sein Ende ist; sie bleibt, wie sie "
         "war.";
}

std::string ZeroFactorRefusal() {
  return "Ein Faktor von 0 würde die Kurve flach machen; der Faktor bleibt, wie er war.";
}

std::string NotANumberRefusal(const std::string& field) {
  return "\"" + field + "\" ist keine Zahl; der Kanal bleibt, wie er war.";
}

std::string TooLongRefusal(const std::string& field, std::size_t maxBytes) {
  return "\"" + field + "\" darf höchstens " + std::to_string(maxBytes) + " Zeichen lang sein; der Kanal bleibt, wie er war.";
}

std::string TooLargeRefusal(const std::string& field) {
  return "\"" + field + "\" ist zu groß; der Kanal bleibt, wie er war.";
}

std::string CurveColorName(std::size_t curve) {
  // In the order of CurveColor's palette.
  static constexpr std::array<const char*, kMaxCurves> kNames = {
      "Blau",  "Orange",  "Blaugrün", "Zinnober", "Rosa",    "Himmelblau", "Schwarz", "Indigo",
      "Grün",  "Oliv",    "Weinrot",  "Türkis",   "Altrosa", "Purpur",     "Sand",    "Hellblau"};
  return kNames[curve % kNames.size()];
}

std::string OtherColorText(TColor color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", GetRValue(color), GetGValue(color), GetBValue(color));
  return text;
}

}  // namespace kurvex
