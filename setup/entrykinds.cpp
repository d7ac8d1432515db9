// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/entrykinds.h"

#include <charconv>
#include <limits>

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

}  // namespace kurvex
