// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/translate.h"

#include <QCoreApplication>
#include <vector>

namespace kurvex {

std::string Tr(const char* context, const char* source) {
  return QCoreApplication::translate(context, source).toStdString();
}

std::string Tr(TText text) { return Tr(text.Context, text.Source); }

std::string Fill(std::string_view text, std::initializer_list<std::string_view> arguments) {
  const std::vector<std::string_view> values(arguments);
  std::string filled;
  filled.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool placeholder = text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9';
    const std::size_t index = placeholder ? static_cast<std::size_t>(text[i + 1] - '1') : values.size();
    if (index < values.size()) {
      filled += values[index];
      ++i;
    } else {
      filled += text[i];
    }
  }
  return filled;
}

}  // namespace kurvex
