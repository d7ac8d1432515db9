// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "platform/system/localeformat.h"

namespace kurvex {
namespace {

TEST(LocaleSeparators, CommonLocalesGiveTheirOwnSeparators) {
  EXPECT_EQ(SeparatorsOfLocale("de_DE"), (LocaleSeparators{',', '.'}));
  EXPECT_EQ(SeparatorsOfLocale("en_US"), (LocaleSeparators{'.', ','}));
  EXPECT_EQ(SeparatorsOfLocale("C"), (LocaleSeparators{'.', ','}));
}

TEST(LocaleSeparators, SeparatorsThatAreNotOnePlainCharacterFallBackAndNeverCollide) {
  // French groups with a narrow non-breaking space, Swiss German with a
  // typographic apostrophe.
  EXPECT_EQ(SeparatorsOfLocale("fr_FR"), (LocaleSeparators{',', '.'}));
  EXPECT_EQ(SeparatorsOfLocale("de_CH"), (LocaleSeparators{'.', ','}));
}

TEST(LocaleSeparators, AnOverrideWinsUntilReset) {
  const LocaleSeparators system = CurrentSeparators();
  OverrideLocaleSeparators({',', '.'});
  EXPECT_EQ(DecimalSeparator(), ',');
  EXPECT_EQ(ThousandSeparator(), '.');
  ResetLocaleSeparators();
  EXPECT_EQ(CurrentSeparators(), system);
  EXPECT_NE(system.Decimal, system.Thousands);
}

}  // namespace
}  // namespace kurvex
