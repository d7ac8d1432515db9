// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording/columnnames.h"

namespace kurvex {

std::string CurveLabel(std::size_t curve, const std::string& name) {
  return name.empty() ? "Kanal " + std::to_string(curve + 1) : name;
}

std::string RawValueColumn(std::string_view label) {
  return label.empty() ? "Rohwert" : "Rohwert " + std::string(label);
}

namespace {
constexpr std::string_view kScaled = "(skaliert)";
constexpr std::string_view kUnitOpen = " [", kUnitClose = "]";
}  // namespace

std::string ScaledValueColumn(std::string_view label, std::string_view unit) {
  std::string column = label.empty() ? "Wert " + std::string(kScaled) : "Wert " + std::string(label) + " " + std::string(kScaled);
  if (!unit.empty()) column += std::string(kUnitOpen) + std::string(unit) + std::string(kUnitClose);
  return column;
}

std::string UnitOfScaledColumn(std::string_view column) {
  // The unit is the last thing in the column; a label may hold brackets
  // and "(skaliert)" of its own, the unit follows the last "(skaliert) [".
  const std::string marker = std::string(kScaled) + std::string(kUnitOpen);
  const std::size_t at = column.rfind(marker);
  if (at == std::string_view::npos || !column.starts_with("Wert ") || !column.ends_with(kUnitClose)) return {};
  const std::size_t from = at + marker.size();
  if (from >= column.size()) return {};
  return std::string(column.substr(from, column.size() - kUnitClose.size() - from));
}

}  // namespace kurvex
