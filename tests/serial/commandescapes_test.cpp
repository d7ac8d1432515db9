// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/commandescapes.h"

#include <gtest/gtest.h>

#include <string>

namespace kurvex {
namespace {

struct Escaped {
  const char* Typed;
  std::string Bytes;
};

TEST(CommandEscapes, TurnTypedEscapesIntoTheirBytes) {
  const Escaped cases[] = {
      {"MEAS?", "MEAS?"},
      {"", ""},
      {"*RST;:CONF:VOLT:DC 10\\r\\n", "*RST;:CONF:VOLT:DC 10\r\n"},
      {"a\\tb", "a\tb"},
      {"C:\\\\data", "C:\\data"},
      {"\\\\r", "\\r"},
      {"\\x07\\x1b\\x1B\\xff", std::string("\x07\x1b\x1b\xff")},
      {"\\x00end", std::string("\0end", 4)},
      {"\\x41\\x42", "AB"},
      {"µ°C", "µ°C"},
  };
  for (const Escaped& entry : cases) {
    const TCommandBytes parsed = ParseCommandEscapes(entry.Typed);
    EXPECT_TRUE(parsed.Ok()) << entry.Typed << ": " << parsed.BadEscape;
    EXPECT_EQ(parsed.Bytes, entry.Bytes) << entry.Typed;
  }
}

TEST(CommandEscapes, NameTheFirstBadEscapeAndGiveNoBytes) {
  const std::pair<const char*, const char*> cases[] = {
      {"MEAS?\\q", "\\q"},   {"\\x4", "\\x4"},       {"READ?\\x", "\\x"},    {"abc\\", "\\"},
      {"\\x4g\\q", "\\x4g"}, {"\\xg1", "\\xg1"},     {"ok\\r\\R", "\\R"},    {"\\N", "\\N"},
  };
  for (const auto& [typed, bad] : cases) {
    const TCommandBytes parsed = ParseCommandEscapes(typed);
    EXPECT_FALSE(parsed.Ok()) << typed;
    EXPECT_EQ(parsed.BadEscape, bad) << typed;
    EXPECT_TRUE(parsed.Bytes.empty()) << typed;
  }
}

TEST(CommandEscapes, ShowControlCharactersReadably) {
  const std::pair<std::string, std::string> cases[] = {
      {"12.5\r\n", "12.5\u240D\u240A"},
      {"a\tb", "a\\tb"},
      {"bell\x07", "bell\\x07"},
      {std::string("\0\x1b\x7f", 3), "\\x00\\x1B\\x7F"},
      {"C:\\x07", "C:\\\\x07"},
      {"25 \xC2\xB0" "C \xC2\xB5V \xE2\x82\xAC \xF0\x9F\x98\x80", "25 \xC2\xB0" "C \xC2\xB5V \xE2\x82\xAC \xF0\x9F\x98\x80"},
      // Latin-1 degree sign, a cut sequence, an overlong form, a surrogate.
      {"25 \xB0" "C", "25 \\xB0C"},
      {"\xE2\x82", "\\xE2\\x82"},
      {"\xC0\xAF", "\\xC0\\xAF"},
      {"\xED\xA0\x80", "\\xED\\xA0\\x80"},
  };
  for (const auto& [bytes, shown] : cases) {
    EXPECT_EQ(ShowControlCharacters(bytes), shown);
  }
}

TEST(CommandEscapes, WhatIsShownWithoutLineEndsTypesBackToTheSameBytes) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte) {
    if (byte != '\r' && byte != '\n') all += static_cast<char>(byte);
  }
  const TCommandBytes typedBack = ParseCommandEscapes(ShowControlCharacters(all));
  ASSERT_TRUE(typedBack.Ok()) << typedBack.BadEscape;
  EXPECT_EQ(typedBack.Bytes, all);
}

}  // namespace
}  // namespace kurvex
