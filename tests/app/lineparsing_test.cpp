#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <cmath>
#include <string>
#include <vector>

#include "app/fieldvalues.h"
#include "app/lineassembler.h"
#include "app/numbertext.h"
#include "app/valuetext.h"
#include "app/wirenumber.h"
#include "platform/system/error.h"
#include "platform/system/localeformat.h"

namespace kurvex {
namespace {

struct Assembly {
  TSessionState session;
  TLineAssembler assembler;
  std::vector<std::string> lines;
  void Feed(const std::string& bytes) {
    assembler.Assemble(session, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
                       [this](std::string_view line) { lines.emplace_back(line); });
  }
};

TEST(LineAssemblerTest, OnlyCrLfEndsALine) {
  Assembly a;
  a.Feed("12.5\r\n");
  a.Feed("1\x0d");
  a.Feed("\n2\r\n");
  a.Feed("12\r34\r\n");  // a CR on its own is dropped
  a.Feed("\r\r\n");      // CR CR LF ends no line
  EXPECT_EQ(a.lines, (std::vector<std::string>{"12.5", "1", "2", "1234"}));
  EXPECT_EQ(a.session.PendingLine, "\r\n");
  a.Feed("\r\n");
  EXPECT_EQ(a.lines.back(), "\r\n");
}

TEST(LineAssemblerTest, LinesSpanAnyNumberOfBatches) {
  Assembly a;
  const std::string stream = "1.5\r\n-2\r\n\r\n3e2\r\n";
  for (char c : stream) a.Feed(std::string(1, c));
  EXPECT_EQ(a.lines, (std::vector<std::string>{"1.5", "-2", "", "3e2"}));
  a.Feed("4\n5\n");  // LF alone ends nothing
  EXPECT_EQ(a.lines.size(), 4u);
  EXPECT_EQ(a.session.PendingLine, "4\n5\n");
}

TEST(LineAssemblerTest, AFailingLineIsConsumedAndTheBatchEndsThere) {
  Assembly a;
  std::vector<std::string> seen;
  const std::string bytes = "1\r\nbad\r\n3\r\n";
  EXPECT_THROW(a.assembler.Assemble(a.session, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                    bytes.size(),
                                    [&](std::string_view line) {
                                      seen.emplace_back(line);
                                      if (line == "bad") throw std::runtime_error("x");
                                    }),
               std::runtime_error);
  EXPECT_EQ(seen, (std::vector<std::string>{"1", "bad"}));
  EXPECT_EQ(a.session.PendingLine, "");
  EXPECT_EQ(a.session.TerminatorPos, 1);
  a.Feed("4\r\n");
  EXPECT_EQ(a.lines, std::vector<std::string>{"4"});
}

TEST(LineAssemblerTest, AnOverlongLineIsDroppedUpToItsTerminator) {
  Assembly a;
  a.Feed(std::string(kMaxPendingLine, '7'));
  EXPECT_EQ(a.session.PendingLine.size(), kMaxPendingLine);
  a.Feed("77");
  a.Feed(std::string(1 << 20, '8'));
  EXPECT_TRUE(a.session.PendingLine.empty());
  a.Feed("9\r\n5\r\n");
  EXPECT_EQ(a.lines, std::vector<std::string>{"5"});
}

TEST(WireNumberTest, ReadsTheInstrumentFormat) {
  for (const auto& [text, value] : std::vector<std::pair<std::string, double>>{
           {"12.5", 12.5}, {"-0.003", -0.003}, {"1.2E3", 1200}, {"+7", 7}, {".5", 0.5},
           {"5.", 5}, {"2e-3", 0.002}, {"0", 0}}) {
    const TWireNumber n = ReadWireNumber(text);
    EXPECT_TRUE(n.Complete) << text;
    EXPECT_DOUBLE_EQ(static_cast<double>(n.Value), value) << text;
  }
}

TEST(WireNumberTest, IncompleteLinesTakeTheirSensibleValue) {
  const auto value = [](const char* t) { return static_cast<double>(ReadWireNumber(t).Value); };
  EXPECT_DOUBLE_EQ(value("12,5"), 12.5);  // German instrument locale
  EXPECT_DOUBLE_EQ(value("-1,5"), -1.5);
  EXPECT_TRUE(ReadWireNumber("12,5").Complete);
  EXPECT_DOUBLE_EQ(value("12.5 V"), 12.5);
  EXPECT_FALSE(ReadWireNumber("12.5 V").Complete);
  EXPECT_DOUBLE_EQ(value("3e"), 3);
  EXPECT_DOUBLE_EQ(value("1.2.3"), 1.2);
  EXPECT_DOUBLE_EQ(value("1,2,3"), 1);
  EXPECT_EQ(value("abc"), 0);
  EXPECT_EQ(value("-"), 0);
  EXPECT_EQ(value("."), 0);
  EXPECT_FALSE(ReadWireNumber("").Complete);
  EXPECT_FALSE(ReadWireNumber("nan").Complete);
  EXPECT_FALSE(ReadWireNumber("inf").Complete);
}

TEST(WireNumberTest, NumbersBeyondExtendedRangeReadAsInfinityOrZero) {
  EXPECT_TRUE(std::isinf(ReadWireNumber("1e5000").Value));
  EXPECT_TRUE(std::isinf(ReadWireNumber("-1e99999999999999999999999").Value));
  EXPECT_TRUE(ReadWireNumber("-1e5000").Value < 0);
  EXPECT_EQ(ReadWireNumber("1e-5000").Value, 0);
  EXPECT_EQ(ReadWireNumber("0.0000001e-4950").Value, 0);
}

TEST(WireNumberTest, ReadAndRoundedToNearestSingleOnlyWhatRoundsToInfinityOverflows) {
  const auto single = [](const char* text) { return ToSingle(ReadWireNumber(text).Value); };
  EXPECT_EQ(single("-3.40282346638529e38"), -FLT_MAX);  // 15 digits, above FLT_MAX
  EXPECT_EQ(single("3.40282347e38"), FLT_MAX);
  EXPECT_EQ(single("-3.4028234e38"), -FLT_MAX);
  // Halfway from FLT_MAX to 2^128 is 340282356779733661637539395458142568448.
  EXPECT_EQ(single("3.4028235677973366e38"), FLT_MAX);  // just below halfway
  EXPECT_THROW(single("340282356779733661637539395458142568448"), EKurvexError);  // a tie goes to even: 2^128
  EXPECT_THROW(single("3.4028235677973367e38"), EKurvexError);
  EXPECT_THROW(single("-1e39"), EKurvexError);
  EXPECT_THROW(single("1e400"), EKurvexError);
  EXPECT_EQ(single("1e-50"), 0);
}

TEST(WireNumberTest, TrimRemovesControlBytesAndBlanksAtBothEnds) {
  EXPECT_EQ(TrimControlBytes(std::string("\0\t 12.5 \x1f", 8)), "12.5");
  EXPECT_EQ(TrimControlBytes(" 1 2 "), "1 2");
  EXPECT_EQ(TrimControlBytes("\r\n"), "");
}

TEST(ValueTextTest, GeneralFormatWithFifteenDigits) {
  EXPECT_EQ(GeneralValueText(12.5, ','), "12,5");
  EXPECT_EQ(GeneralValueText(0, ','), "0");
  EXPECT_EQ(GeneralValueText(static_cast<float>(0.1), ','), "0,100000001490116");
  EXPECT_EQ(GeneralValueText(-0.0001, '.'), "-0.0001");
  EXPECT_EQ(GeneralValueText(0.00001, ','), "1E-5");
  EXPECT_EQ(GeneralValueText(1.5e20, ','), "1,5E20");
  EXPECT_EQ(GeneralValueText(-2.5e-7, ','), "-2,5E-7");
  EXPECT_EQ(GeneralValueText(123456789012345.0, ','), "123456789012345");
  EXPECT_EQ(GeneralValueText(1e15, ','), "1E15");
  EXPECT_EQ(GeneralValueText(static_cast<float>(FLT_MAX), ','), "3,40282346638529E38");
}

// Qt sets the C library to the user's locale; in a German session it writes
// decimal commas. 8.657f needs the exact (C library) rounding path.
TEST(ValueTextTest, TheCLibrarysLocaleDoesNotLeakIntoTheTexts) {
  const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no de_DE.UTF-8 locale";
  const std::string value = GeneralValueText(8.657f, ',');
  const std::string field = LocaleNumberText(2.5);
  std::setlocale(LC_NUMERIC, previous.c_str());
  EXPECT_EQ(value, "8,6569995880127");
  EXPECT_EQ(field, std::string("2") + DecimalSeparator() + "5");
}

TEST(NumberTextTest, ComboTextsReadAsFarAsTheyGo) {
  EXPECT_EQ(LeadingInteger("5"), 5);
  EXPECT_EQ(LeadingInteger(" -12abc"), -12);
  EXPECT_EQ(LeadingInteger("$1F"), 31);
  EXPECT_EQ(LeadingInteger("0x10"), 16);
  EXPECT_EQ(LeadingInteger("x7"), 7);
  EXPECT_EQ(LeadingInteger("COM5"), 0);
  EXPECT_EQ(LeadingInteger(""), 0);
  EXPECT_EQ(LeadingInteger("99999999999999999999999999"), INT64_MAX);
}

}  // namespace
}  // namespace kurvex

namespace kurvex {
namespace {

// The display must show what the C library's "%.15G" shows, digit for digit.
TEST(ValueTextTest, MatchesExactRoundingOverManyValues) {
  std::uint32_t seed = 12345;
  const auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
  for (int i = 0; i < 200000; ++i) {
    float f;
    const std::uint32_t bits = next();
    std::memcpy(&f, &bits, sizeof f);
    if (!std::isfinite(f) || f == 0) continue;
    char expected[48];
    std::snprintf(expected, sizeof expected, "%.15G", static_cast<double>(f));
    std::string text = expected;
    // The display's exponent has no "+" and no leading zeros.
    const std::size_t e = text.find('E');
    if (e != std::string::npos) {
      std::string exponent = text.substr(e + 1);
      const bool negative = exponent[0] == '-';
      exponent = exponent.substr(exponent.find_first_not_of("+-0"));
      text = text.substr(0, e) + "E" + (negative ? "-" : "") + exponent;
    }
    ASSERT_EQ(GeneralValueText(f, '.'), text) << bits;
  }
}

}  // namespace
}  // namespace kurvex
