// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/localeformat.h"

#include <QLocale>

#include <optional>

namespace kurvex {

namespace {

// 0 when the text is not one character that can stand between digits.
char PlainSeparator(const QString& text) {
  if (text.size() != 1) return 0;
  const char16_t c = text.front().unicode();
  const bool usable = c > 0x20 && c < 0x7F && !(c >= '0' && c <= '9') && c != '-' && c != '+';
  return usable ? static_cast<char>(c) : 0;
}

LocaleSeparators SeparatorsOf(const QLocale& locale) {
  char decimal = PlainSeparator(locale.decimalPoint());
  char thousands = PlainSeparator(locale.groupSeparator());
  if (decimal == 0) decimal = thousands == '.' ? ',' : '.';
  if (thousands == 0 || thousands == decimal) thousands = decimal == ',' ? '.' : ',';
  return {decimal, thousands};
}

std::optional<LocaleSeparators>& Override() {
  static std::optional<LocaleSeparators> separators;
  return separators;
}

}  // namespace

LocaleSeparators SeparatorsOfLocale(const std::string& name) {
  return SeparatorsOf(QLocale(QString::fromStdString(name)));
}

LocaleSeparators CurrentSeparators() {
  // Read once, as the program is meant to keep the separators it started with.
  static const LocaleSeparators system = SeparatorsOf(QLocale::system());
  return Override().value_or(system);
}

void OverrideLocaleSeparators(LocaleSeparators separators) { Override() = separators; }
void ResetLocaleSeparators() { Override().reset(); }

}  // namespace kurvex
