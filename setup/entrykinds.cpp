// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/entrykinds.h"

#include <charconv>
#include <array>
#include <limits>

#include "intake/intakestate.h"

namespace kurvex {

std::optional<bool> TFlagKind::Read(const TJsonValue& value) const {
  return value.Flag() != nullptr ? std::optional<bool>(*value.Flag()) : std::nullopt;
}

std::optional<double> TNumberKind::Read(const TJsonValue& value) const {
  const double* number = value.Number();
  if (number == nullptr || !(*number >= Min && *number <= std::numeric_limits<float>::max())) return std::nullopt;
  if (NonZero && *number == 0) return std::nullopt;
  return *number;
}

std::optional<std::string> TTextKind::Read(const TJsonValue& value) const {
  const std::string* text = value.Text();
  if (text == nullptr || text->empty() || text->size() > MaxBytes || text->find('\0') != std::string::npos) {
    return std::nullopt;
  }
  return *text;
}

std::optional<std::string> TDataFormatKind::Read(const TJsonValue& value) const {
  const std::string* text = value.Text();
  if (text == nullptr || text->size() != 3 || std::string_view("78").find((*text)[0]) == std::string_view::npos ||
      std::string_view("NEO").find((*text)[1]) == std::string_view::npos ||
      std::string_view("12").find((*text)[2]) == std::string_view::npos) {
    return std::nullopt;
  }
  return *text;
}

std::optional<std::uint32_t> TColourKind::Read(const TJsonValue& value) const {
  const std::string* text = value.Text();
  if (text == nullptr || text->size() != 7 || (*text)[0] != '#') return std::nullopt;
  std::uint32_t colour = 0;
  const char* end = text->data() + text->size();
  const auto [stop, error] = std::from_chars(text->data() + 1, end, colour, 16);
  if (error != std::errc() || stop != end) return std::nullopt;
  return colour;
}

TJsonValue TColourKind::Write(std::uint32_t colour) const {
  constexpr std::string_view kDigits = "0123456789abcdef";
  std::string text = "#000000";
  for (std::size_t i = 6; i >= 1; --i, colour >>= 4) text[i] = kDigits[colour & 0xF];
  return text;
}

namespace {
constexpr std::array<std::pair<std::string_view, TXAxisMode>, 3> kXAxisNames{
    {{"samples", TXAxisMode::Samples}, {"seconds", TXAxisMode::Seconds}, {"time-of-day", TXAxisMode::TimeOfDay}}};
}  // namespace

std::optional<TXAxis> XAxisNamed(std::string_view text) {
  for (const auto& [name, mode] : kXAxisNames)
    if (text == name) return TXAxis{mode};
  int curve = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, curve);
  if (text.empty() || error != std::errc() || stop != end || curve < 1 || curve > static_cast<int>(kMaxCurves))
    return std::nullopt;
  return TXAxis{TXAxisMode::Curve, curve};
}

std::string XAxisName(const TXAxis& axis) {
  for (const auto& [name, mode] : kXAxisNames)
    if (axis.Mode == mode) return std::string(name);
  return std::to_string(axis.Curve);
}

std::optional<TXAxis> TXAxisKind::Read(const TJsonValue& value) const {
  if (const std::string* text = value.Text()) {
    const std::optional<TXAxis> axis = XAxisNamed(*text);
    // A curve is written as a number; "3" as text is no name of the axis.
    return axis && axis->Mode != TXAxisMode::Curve ? axis : std::nullopt;
  }
  const std::optional<int> curve = TWholeKind<int>{1, kMaxCurves}.Read(value);
  if (!curve) return std::nullopt;
  return TXAxis{TXAxisMode::Curve, *curve};
}

TJsonValue TXAxisKind::Write(const TXAxis& axis) const {
  if (axis.Mode == TXAxisMode::Curve) return static_cast<double>(axis.Curve);
  return XAxisName(axis);
}

}  // namespace kurvex
