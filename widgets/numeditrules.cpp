// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/numeditrules.h"

#include <algorithm>
#include <climits>
#include <iterator>

#include "widgets/numberconvert.h"

namespace kurvex {

namespace {

constexpr auto npos = std::string::npos;

bool IsDigit(char32_t c) { return c >= '0' && c <= '9'; }

int Size(const std::string& text) { return static_cast<int>(text.size()); }

// Positions from the widget may lie outside the text; the rules never do.
EditState Clamped(const EditState& state) {
  EditState s = state;
  s.SelStart = std::clamp(s.SelStart, 0, Size(s.Text));
  s.SelLength = std::clamp(s.SelLength, 0, Size(s.Text) - s.SelStart);
  return s;
}

// Digits before the decimal separator, or in the whole text when it has none.
int IntegerDigits(const std::string& text, char decimal) {
  const std::size_t end = std::min(text.find(decimal), text.size());
  return static_cast<int>(std::count_if(text.begin(), text.begin() + static_cast<long>(end),
                                        [](char c) { return IsDigit(static_cast<unsigned char>(c)); }));
}

bool OverLengthLimit(const std::string& text, const NumEditSettings& settings) {
  return settings.LengthLimit > 0 &&
         IntegerDigits(text, settings.Separators.Decimal) > settings.LengthLimit;
}

// What the edit control itself makes of an inserted text: it replaces the
// selection and leaves the caret behind it.
EditState Inserted(const EditState& s, const std::string& text) {
  EditState r = s;
  r.Text.replace(static_cast<std::size_t>(s.SelStart), static_cast<std::size_t>(s.SelLength), text);
  r.SelStart = s.SelStart + Size(text);
  r.SelLength = 0;
  return r;
}

EditState AfterBackspace(const EditState& s) {
  if (s.SelLength > 0 || s.SelStart == 0) return Inserted(s, "");
  return Inserted({s.Text, s.SelStart - 1, 1}, "");
}

EditState AfterDelete(const EditState& s) {
  if (s.SelLength > 0 || s.SelStart == Size(s.Text)) return Inserted(s, "");
  return Inserted({s.Text, s.SelStart, 1}, "");
}

// The minus sign always sits in front, wherever the caret is; the caret keeps
// its place among the digits.
EditState ToggledMinus(const EditState& s) {
  if (!s.Text.empty() && s.Text[0] == '-') return {s.Text.substr(1), std::max(s.SelStart - 1, 0), 0};
  return {"-" + s.Text, s.SelStart + 1, 0};
}

bool CaretBeforeDecimal(const EditState& s, char decimal) {
  const std::size_t at = s.Text.find(decimal);
  return at == npos || s.SelStart <= static_cast<int>(at);
}

// Characters between the caret and the nearest thousands separator.
int DistanceToNearestSeparator(const EditState& s, char thousands) {
  int nearest = INT_MAX;
  for (int p = 0; p < Size(s.Text); ++p) {
    if (s.Text[static_cast<std::size_t>(p)] != thousands) continue;
    nearest = std::min(nearest, p < s.SelStart ? s.SelStart - p - 1 : p - s.SelStart);
  }
  return nearest;
}

// The first decimal separator outside the selection.
std::optional<int> DecimalOutsideSelection(const EditState& s, char decimal) {
  for (int p = 0; p < Size(s.Text); ++p) {
    const bool selected = p >= s.SelStart && p < s.SelStart + s.SelLength;
    if (!selected && s.Text[static_cast<std::size_t>(p)] == decimal) return p;
  }
  return std::nullopt;
}

int FractionDigits(const std::string& text, std::size_t decimalAt) {
  return static_cast<int>(std::count_if(text.begin() + static_cast<long>(decimalAt) + 1, text.end(),
                                        [](char c) { return IsDigit(static_cast<unsigned char>(c)); }));
}

KeyResult Refuse(const EditState& s) { return {KeyAction::Refused, s}; }
KeyResult Edit(const EditState& s) { return {KeyAction::Edited, s}; }

KeyResult NumericKey(const EditState& s, char32_t key) {
  if (key == '-') {
    if (s.SelLength == Size(s.Text)) return Edit({"-", 1, 0});
    return Edit(ToggledMinus(s));
  }
  if (IsDigit(key)) return Edit(Inserted(s, std::string(1, static_cast<char>(key))));
  return Refuse(s);
}

KeyResult FloatKey(const EditState& s, char32_t key, const NumEditSettings& settings) {
  const char decimal = settings.Separators.Decimal;
  const char thousands = settings.Separators.Thousands;
  const bool isDecimal = key == static_cast<unsigned char>(decimal);
  const bool isThousands = key == static_cast<unsigned char>(thousands);
  if ((key == ',' || key == '.') && !isDecimal && !isThousands) return Refuse(s);
  if (!IsDigit(key) && key != ',' && key != '.' && key != '-') return Refuse(s);

  if (isDecimal) {
    if (settings.Precision == 0) return Refuse(s);
    // A second separator is never inserted: the user wants to get to the decimals.
    if (const std::optional<int> at = DecimalOutsideSelection(s, decimal)) {
      const bool selectionHoldsOne =
          s.Text.substr(static_cast<std::size_t>(s.SelStart), static_cast<std::size_t>(s.SelLength))
              .find(decimal) != npos;
      if (selectionHoldsOne) return Refuse(s);
      return Edit({s.Text, *at + 1, 0});
    }
  }
  if ((isDecimal || isThousands) && s.Text.find(thousands) != npos &&
      DistanceToNearestSeparator(s, thousands) != 3) {
    return Refuse(s);
  }
  // Within full decimals a digit overwrites instead of lengthening the fraction.
  const std::size_t decimalAt = s.Text.find(decimal);
  if (IsDigit(key) && settings.Precision > 0 && s.SelLength == 0 && decimalAt != npos &&
      s.SelStart > static_cast<int>(decimalAt) &&
      FractionDigits(s.Text, decimalAt) >= settings.Precision) {
    if (s.SelStart == Size(s.Text)) return Refuse(s);
    return Edit(Inserted({s.Text, s.SelStart, 1}, std::string(1, static_cast<char>(key))));
  }
  if (isDecimal && s.Text.empty()) return Edit({std::string("0") + decimal, 2, 0});
  if (key == '-' && s.SelLength == 0) return Edit(ToggledMinus(s));
  return Edit(Inserted(s, std::string(1, static_cast<char>(key))));
}

}  // namespace

KeyResult TypeKey(const EditState& state, char32_t key, bool ctrl, const NumEditSettings& settings) {
  const EditState s = Clamped(state);
  const char decimal = settings.Separators.Decimal;
  // Enter belongs to the window (its default button), so does Escape.
  if (key == kKeyEnter || key == kKeyEscape) return {KeyAction::ToParent, s};
  if (key == kKeyCtrlEnter) return Refuse(s);
  // Shortcuts are no characters: select all, copy, cut, undo work as in any field.
  if (ctrl && key != kKeyBackspace) return {KeyAction::Platform, s};

  const bool atLimit = settings.LengthLimit > 0 && s.SelLength == 0 &&
                       IntegerDigits(s.Text, decimal) >= settings.LengthLimit &&
                       CaretBeforeDecimal(s, decimal);
  const bool passesLimit = key == kKeyBackspace || key == static_cast<unsigned char>(decimal) ||
                           (key == '-' && settings.Signed);
  if (atLimit && !passesLimit) return Refuse(s);

  if (key == kKeyBackspace) {
    // Deleting the separator joins both parts, which may exceed the limit.
    const EditState after = AfterBackspace(s);
    return OverLengthLimit(after.Text, settings) ? Refuse(s) : Edit(after);
  }
  if (key == '-' && !settings.Signed) return Refuse(s);
  return settings.EditType == etNumeric ? NumericKey(s, key) : FloatKey(s, key, settings);
}

std::optional<EditState> DeleteKey(const EditState& state, const NumEditSettings& settings) {
  const EditState after = AfterDelete(Clamped(state));
  if (OverLengthLimit(after.Text, settings)) return std::nullopt;
  return after;
}

std::optional<EditState> PasteText(const EditState& state, const std::string& clipboard,
                                   const NumEditSettings& settings) {
  const EditState after = Inserted(Clamped(state), clipboard);
  const TextClass kind = ClassifyText(after.Text, settings.Separators);
  if (!settings.Signed && after.Text.find('-') != npos) return std::nullopt;
  if (settings.EditType == etNumeric) {
    if (kind != TextClass::Integer) return std::nullopt;
  } else {
    if (kind == TextClass::Invalid) return std::nullopt;
    if (settings.Precision == 0 && clipboard.find(settings.Separators.Decimal) != npos) {
      return std::nullopt;
    }
  }
  return after;
}

TextClass ClassifyText(const std::string& text, const LocaleSeparators& separators) {
  if (text.empty()) return TextClass::Invalid;
  // Only a leading minus: one anywhere else would make a text no number reads.
  const std::size_t firstDigit = text[0] == '-' ? 1 : 0;
  const bool onlyDigits = std::all_of(text.begin() + static_cast<long>(firstDigit), text.end(),
                                      [](char c) { return IsDigit(static_cast<unsigned char>(c)); });
  if (onlyDigits) return TextClass::Integer;

  int decimals = 0;
  std::optional<std::size_t> lastThousands;
  for (std::size_t i = firstDigit; i < text.size(); ++i) {
    const char c = text[i];
    if (!IsDigit(static_cast<unsigned char>(c)) && c != ',' && c != '.') return TextClass::Invalid;
    if (c == separators.Decimal && ++decimals > 1) return TextClass::Invalid;
    if (c != separators.Thousands) continue;
    if (i == firstDigit || (lastThousands && i - *lastThousands - 1 < 3)) return TextClass::Invalid;
    lastThousands = i;
  }
  return TextClass::Float;
}

long double FieldValue(const std::string& text, const LocaleSeparators& separators) {
  std::string plain;
  std::copy_if(text.begin(), text.end(), std::back_inserter(plain),
               [&](char c) { return c != separators.Thousands; });
  if (plain.empty() || plain == "-") return 0;
  return StrToFloat(plain, separators.Decimal);
}

std::string CanonicalText(const std::string& text, const NumEditSettings& settings) {
  if (settings.EditType == etFloat && settings.Precision > 0) {
    return FormatFixed(FieldValue(text, settings.Separators), settings.Precision,
                       settings.Separators.Decimal);
  }
  return text.empty() ? "0" : text;
}

std::string LeaveText(const std::string& text, const NumEditSettings& settings) {
  if (text.empty() && settings.AllowNumericNullValue) return text;
  return CanonicalText(text, settings);
}

}  // namespace kurvex
