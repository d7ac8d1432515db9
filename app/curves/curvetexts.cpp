// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/curves/curvetexts.h"

namespace kurvex {

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

}  // namespace kurvex
