// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/entrylines.h"

#include <algorithm>

namespace kurvex {

namespace {

// Entries are named down to "curves[2].color"; deeper values are skipped
// without recursion, so no nesting depth can exhaust the stack.
constexpr int kNamedDepth = 3;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view ParentEntry(std::string_view entry) {
  const std::size_t end = entry.find_last_of(".[");
  return entry.substr(0, end == std::string_view::npos ? 0 : end);
}

}  // namespace

std::string MemberEntry(std::string_view parent, std::string_view key) {
  return parent.empty() ? std::string(key) : std::string(parent) + "." + std::string(key);
}

std::string ElementEntry(std::string_view array, std::size_t number) {
  return std::string(array) + "[" + std::to_string(number) + "]";
}

TEntryLines::TEntryLines(std::string_view text, std::span<const std::string> entries) : m_text(text) {
  for (std::string_view entry : entries) {
    for (; !entry.empty(); entry = ParentEntry(entry)) m_lines.emplace(entry, 0);
  }
  if (m_text.starts_with("\xef\xbb\xbf")) m_at = 3;
  Value("", 0);
}

int TEntryLines::Line(std::string_view entry) const {
  for (; !entry.empty(); entry = ParentEntry(entry)) {
    const auto it = m_lines.find(entry);
    if (it != m_lines.end() && it->second > 0) return it->second;
  }
  return 1;
}

void TEntryLines::Note(const std::string& entry, int line) {
  const auto it = m_lines.find(entry);
  if (it != m_lines.end() && it->second == 0) it->second = line;
}

// Every step moves on by at least one byte or returns, so the scan ends on
// any text.
void TEntryLines::Value(const std::string& entry, int depth) {
  Skip();
  if ((At('{') || At('[')) && depth >= kNamedDepth) {
    SkipNested();
  } else if (At('{')) {
    ++m_at;
    Skip();
    while (At('"')) {
      const std::size_t start = m_at + 1;
      const int line = m_line;
      SkipString();
      const std::string member = MemberEntry(entry, m_text.substr(start, std::min(m_at - 1, m_text.size()) - start));
      Note(member, line);
      Skip();
      if (!At(':')) return;
      ++m_at;
      Value(member, depth + 1);
      Skip();
      if (!At(',')) break;
      ++m_at;
      Skip();
    }
    if (At('}')) ++m_at;
  } else if (At('[')) {
    ++m_at;
    Skip();
    for (std::size_t number = 1; m_at < m_text.size() && !At(']'); ++number) {
      const std::string element = ElementEntry(entry, number);
      Skip();
      Note(element, m_line);
      Value(element, depth + 1);
      Skip();
      if (!At(',')) break;
      ++m_at;
    }
    if (At(']')) ++m_at;
  } else if (At('"')) {
    SkipString();
  } else {
    while (m_at < m_text.size() && !IsBlank(m_text[m_at]) &&
           std::string_view(",:]}").find(m_text[m_at]) == std::string_view::npos) {
      ++m_at;
    }
  }
}

void TEntryLines::Skip() {
  for (; m_at < m_text.size() && IsBlank(m_text[m_at]); ++m_at) m_line += m_text[m_at] == '\n';
}

void TEntryLines::SkipString() {
  for (++m_at; m_at < m_text.size() && m_text[m_at] != '"'; ++m_at) {
    if (m_text[m_at] == '\\') {
      ++m_at;  // the escaped byte
    } else {
      m_line += m_text[m_at] == '\n';
    }
  }
  ++m_at;
}

void TEntryLines::SkipNested() {
  int level = 0;
  while (m_at < m_text.size()) {
    const char c = m_text[m_at];
    if (c == '"') {
      SkipString();
      continue;
    }
    level += (c == '{' || c == '[') - (c == '}' || c == ']');
    m_line += c == '\n';
    ++m_at;
    if (level == 0) return;
  }
}

}  // namespace kurvex
