// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/window/jsonwriter.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace kurvex::bench {

JsonWriter& JsonWriter::Key(std::string_view key) {
  if (m_levels.empty() || m_levels.back().Close != '}' || m_afterKey) throw std::logic_error("JSON key outside an object");
  BeginValue();
  AppendEscaped(key);
  m_text += ": ";
  m_afterKey = true;
  return *this;
}

JsonWriter& JsonWriter::String(std::string_view value) {
  BeginValue();
  AppendEscaped(value);
  return *this;
}

JsonWriter& JsonWriter::Integer(long long value) {
  BeginValue();
  m_text += std::to_string(value);
  return *this;
}

JsonWriter& JsonWriter::Number(double value, int decimals) {
  BeginValue();
  if (!std::isfinite(value)) {
    m_text += "null";
    return *this;
  }
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  m_text += text;
  return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
  BeginValue();
  m_text += value ? "true" : "false";
  return *this;
}

JsonWriter& JsonWriter::Open(char bracket) {
  const bool inOneLine = !m_levels.empty() && m_levels.back().OneLine;
  const bool oneLine = inOneLine || (bracket == '{' && !m_levels.empty());
  BeginValue();
  m_text += bracket;
  m_levels.push_back({bracket == '{' ? '}' : ']', oneLine});
  return *this;
}

JsonWriter& JsonWriter::Close(char bracket) {
  if (m_levels.empty() || m_levels.back().Close != bracket || m_afterKey) throw std::logic_error("JSON closed unbalanced");
  const Level level = m_levels.back();
  m_levels.pop_back();
  if (!level.OneLine && !level.Empty) NewLine(m_levels.size());
  m_text += bracket;
  return *this;
}

void JsonWriter::BeginValue() {
  if (m_afterKey) {
    m_afterKey = false;
    return;
  }
  if (m_levels.empty()) {
    if (!m_text.empty()) throw std::logic_error("JSON has one root");
    return;
  }
  Level& level = m_levels.back();
  if (!level.Empty) m_text += ',';
  if (level.OneLine) {
    if (!level.Empty) m_text += ' ';
  } else {
    NewLine(m_levels.size());
  }
  level.Empty = false;
}

void JsonWriter::NewLine(std::size_t depth) {
  m_text += '\n';
  m_text.append(2 * depth, ' ');
}

void JsonWriter::AppendEscaped(std::string_view text) {
  m_text += '"';
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      m_text += '\\';
      m_text += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      m_text += escaped;
    } else {
      m_text += c;
    }
  }
  m_text += '"';
}

}  // namespace kurvex::bench
