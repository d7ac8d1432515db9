// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/commandescapes.h"

#include <cstdint>

namespace kurvex {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void AppendHexByte(std::string& text, std::uint8_t byte) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  text += "\\x";
  text += kDigits[byte >> 4];
  text += kDigits[byte & 0xF];
}

// Length of the valid UTF-8 sequence at the front of `bytes`, 0 if none:
// no overlong forms, no surrogates, nothing beyond U+10FFFF.
std::size_t Utf8SequenceLength(std::string_view bytes) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
  const std::uint8_t lead = byte(0);
  std::size_t length = 0;
  std::uint8_t low = 0x80;
  std::uint8_t high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (bytes.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

}  // namespace

TCommandBytes ParseCommandEscapes(std::string_view typed) {
  TCommandBytes result;
  for (std::size_t i = 0; i < typed.size(); ++i) {
    if (typed[i] != '\\') {
      result.Bytes += typed[i];
      continue;
    }
    const char kind = i + 1 < typed.size() ? typed[i + 1] : '\0';
    if (kind == 'r' || kind == 'n' || kind == 't' || kind == '\\') {
      result.Bytes += kind == 'r' ? '\r' : kind == 'n' ? '\n' : kind == 't' ? '\t' : '\\';
      ++i;
      continue;
    }
    if (kind == 'x' && i + 3 < typed.size() && HexDigit(typed[i + 2]) >= 0 && HexDigit(typed[i + 3]) >= 0) {
      result.Bytes += static_cast<char>(HexDigit(typed[i + 2]) * 16 + HexDigit(typed[i + 3]));
      i += 3;
      continue;
    }
    // Named as typed: the backslash, its letter and, for \x, what followed.
    result.BadEscape = std::string(typed.substr(i, kind == 'x' ? 4 : 2));
    result.Bytes.clear();
    return result;
  }
  return result;
}

std::string ShowControlCharacters(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    const auto byte = static_cast<std::uint8_t>(bytes[i]);
    if (byte == '\r') {
      text += "\u240D";
    } else if (byte == '\n') {
      text += "\u240A";
    } else if (byte == '\t') {
      text += "\\t";
    } else if (byte == '\\') {
      text += "\\\\";
    } else if (byte < 0x20 || byte == 0x7F) {
      AppendHexByte(text, byte);
    } else if (byte < 0x80) {
      text += static_cast<char>(byte);
    } else if (const std::size_t length = Utf8SequenceLength(bytes.substr(i)); length > 0) {
      text += bytes.substr(i, length);
      i += length;
      continue;
    } else {
      AppendHexByte(text, byte);
    }
    ++i;
  }
  return text;
}

}  // namespace kurvex
