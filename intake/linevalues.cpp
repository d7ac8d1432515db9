// SPDX-License-Identifier: GPL-3.0-or-later
#include "intake/linevalues.h"

#include <optional>
#include <utility>

#include "intake/wirenumber.h"


namespace kurvex {

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }
bool IsNameMark(char c) { return c == ':' || c == '='; }

/// A number with either decimal mark.
std::optional<long double> ReadNumber(std::string_view text) {
  if (const std::optional<long double> value = ReadWholeNumber(text, '.')) return value;
  return ReadWholeNumber(text, ',');
}

}  // namespace

bool TLineValues::Read(std::string_view text) {
  m_count = 0;
  m_refused = false;
  m_unitFor = kCapacity;
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n) {
    while (i < n && (text[i] == ';' || IsBlank(text[i]))) ++i;
    const std::size_t start = i;
    while (i < n && text[i] != ';') {
      if (!IsBlank(text[i])) {
        ++i;
        continue;
      }
      std::size_t after = i;
      while (after < n && IsBlank(text[after])) ++after;
      if (!IsNameMark(text[i - 1]) && (after == n || !IsNameMark(text[after]))) break;
      i = after;
    }
    if (i > start) ReadField(text.substr(start, i - start));
  }
  return m_count >= 2 || (m_count == 1 && !m_values[0].Name.empty());
}

void TLineValues::ReadField(std::string_view field) {
  if (field.back() == ',') field.remove_suffix(1);
  if (field.empty()) return;
  const std::size_t unitFor = std::exchange(m_unitFor, kCapacity);
  if (unitFor < kCapacity && IsUnitText(field)) {
    m_values[unitFor].Unit = field;
    return;
  }
  const std::size_t mark = field.find_first_of(":=");
  if (mark != std::string_view::npos) {
    const std::string_view name = TrimControlBytes(field.substr(0, mark));
    if (name.size() > kMaxName) {
      m_refused = true;
      return;
    }
    if (name.empty() || ReadNumber(name)) return;
    if (const std::optional<long double> value = ReadNumber(TrimControlBytes(field.substr(mark + 1))))
      Add(name, *value);
    return;
  }
  if (const std::optional<long double> value = ReadNumber(field)) {
    Add({}, *value);
    return;
  }
  // Numbers joined by ",": all of them, or the field is no value at all.
  const std::size_t before = m_count;
  for (std::size_t start = 0; start <= field.size();) {
    std::size_t comma = field.find(',', start);
    if (comma == std::string_view::npos) comma = field.size();
    const std::string_view part = field.substr(start, comma - start);
    start = comma + 1;
    if (part.empty()) continue;
    const std::optional<long double> value = ReadWholeNumber(part, '.');
    if (!value) {
      m_count = before;
      m_unitFor = kCapacity;
      return;
    }
    Add({}, *value);
  }
  if (m_count - before > 1) m_unitFor = kCapacity;  // a unit after several values is none of theirs
}

void TLineValues::Add(std::string_view name, long double value) {
  // A field of one value: the next field may be its unit.
  if (m_count < kCapacity) {
    m_values[m_count] = {name, value};
    m_unitFor = m_count;
  }
  ++m_count;
}

}  // namespace kurvex
