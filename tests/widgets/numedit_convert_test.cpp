// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "widgets/numberconvert.h"
#include "widgets/numeditrules.h"

namespace kurvex {
namespace {

constexpr LocaleSeparators kComma{',', '.'};
constexpr LocaleSeparators kPoint{'.', ','};

std::string ConvertError(const std::string& text, char decimal) {
  try {
    StrToFloat(text, decimal);
  } catch (const EConvertError& error) {
    return error.what();
  }
  return "no error";
}

TEST(StrToFloat, ReadsSignDigitsOneSeparatorAndAnExponentBetweenBlanks) {
  EXPECT_EQ(StrToFloat(" 12,5  ", ','), 12.5L);
  EXPECT_EQ(StrToFloat("-1,5e3", ','), -1500.0L);
  EXPECT_EQ(StrToFloat("+,5", ','), 0.5L);
  EXPECT_EQ(StrToFloat("7,", ','), 7.0L);
  EXPECT_EQ(StrToFloat("1E-2", ','), 1e-2L);
  EXPECT_EQ(StrToFloat("0,1", ','), 0.1L);  // read in extended precision
  EXPECT_EQ(StrToFloat("2.25", '.'), 2.25L);
  EXPECT_EQ(StrToFloat("1e-99999", '.'), 0.0L);  // too small reads as zero
}

TEST(StrToFloat, AnythingElseFailsWithTheGermanMessageNamingTheText) {
  EXPECT_EQ(ConvertError("1.000,5", ','), "'1.000,5' ist kein gültiger Gleitkommawert");
  for (const char* text : {"", " ", ",", "1,2,3", "1e", "e5", "1e+", "inf", "nan", "0x1A", "1 2",
                           "- 1", "1,5x", "--1", "1e99999"}) {
    EXPECT_EQ(ConvertError(text, ','), "'" + std::string(text) + "' ist kein gültiger Gleitkommawert")
        << text;
  }
  EXPECT_EQ(ConvertError("1,5", '.'), "'1,5' ist kein gültiger Gleitkommawert");
  EXPECT_THROW(StrToFloat("x", ','), EKurvexError);
}

TEST(FormatFixed, ShowsExactlyTheDecimalsWithTheGivenSeparatorAndNoGrouping) {
  EXPECT_EQ(FormatFixed(10, 9, ','), "10,000000000");
  EXPECT_EQ(FormatFixed(0.1L, 9, ','), "0,100000000");
  EXPECT_EQ(FormatFixed(-1234567.5L, 2, '.'), "-1234567.50");
  EXPECT_EQ(FormatFixed(1e20L, 0, ','), "100000000000000000000");
  EXPECT_EQ(FormatFixed(2.5e-10L, 9, ','), "0,000000000");
  EXPECT_EQ(FormatFixed(-2.5e-10L, 9, ','), "0,000000000");
  EXPECT_EQ(FormatFixed(-0.0L, 2, '.'), "0.00");
}

TEST(FieldText, ValuesDropThousandsSeparatorsAndTreatEmptyAndMinusAsZero) {
  EXPECT_EQ(FieldValue("1.000,5", kComma), 1000.5L);
  EXPECT_EQ(FieldValue("1,000.5", kPoint), 1000.5L);
  EXPECT_EQ(FieldValue("", kComma), 0.0L);
  EXPECT_EQ(FieldValue("-", kComma), 0.0L);
  EXPECT_THROW(FieldValue(",", kComma), EConvertError);
  EXPECT_THROW(FieldValue("1-", kComma), EConvertError);
}

TEST(FieldText, CanonicalFormOfFloatAndNumericFields) {
  NumEditSettings real{etFloat, 9, 12, false, false, kComma};
  EXPECT_EQ(CanonicalText("1.000,5", real), "1000,500000000");
  EXPECT_THROW(CanonicalText("abc", real), EConvertError);
  // The design text of the window read with a decimal point.
  real.Separators = kPoint;
  EXPECT_EQ(CanonicalText("1,000000000", real), "1000000000.000000000");

  const NumEditSettings free{etFloat, -1, 0, false, false, kComma};
  EXPECT_EQ(CanonicalText("1,50", free), "1,50");
  EXPECT_EQ(CanonicalText("", free), "0");
  const NumEditSettings whole{etNumeric, 2, 5, false, false, kComma};
  EXPECT_EQ(CanonicalText("0042", whole), "0042");
}

TEST(ClassifyText, IntegersFloatsAndInvalidTexts) {
  EXPECT_EQ(ClassifyText("123", kComma), TextClass::Integer);
  EXPECT_EQ(ClassifyText("-5", kComma), TextClass::Integer);
  EXPECT_EQ(ClassifyText("1.234,5", kComma), TextClass::Float);
  EXPECT_EQ(ClassifyText("-12.345.678", kComma), TextClass::Float);
  EXPECT_EQ(ClassifyText("1,234.5", kPoint), TextClass::Float);
  for (const char* text : {"", "1-2", "--1", "1,2,3", ".5", "-.5", "1.00.000", "12a", "1 2", "+1"}) {
    EXPECT_EQ(ClassifyText(text, kComma), TextClass::Invalid) << text;
  }
  EXPECT_EQ(ClassifyText("1.2.3", kPoint), TextClass::Invalid);
}

}  // namespace
}  // namespace kurvex
