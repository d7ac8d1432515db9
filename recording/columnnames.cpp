// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording/columnnames.h"

namespace kurvex {

std::string CurveLabel(std::size_t curve, const std::string& name) {
  return name.empty() ? "Kanal " + std::to_string(curve + 1) : name;
}

std::string RawValueColumn(std::string_view label) {
  return label.empty() ? "Rohwert" : "Rohwert " + std::string(label);
}

std::string ScaledValueColumn(std::string_view label, std::string_view unit) {
  std::string column = label.empty() ? "Wert (skaliert)" : "Wert " + std::string(label) + " (skaliert)";
  if (!unit.empty()) column += " [" + std::string(unit) + "]";
  return column;
}

}  // namespace kurvex
