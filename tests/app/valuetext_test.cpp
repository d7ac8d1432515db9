// SPDX-License-Identifier: GPL-3.0-or-later
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <tuple>

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>

#include "app/numbertext.h"
#include "app/valuetext.h"
#include "tests/app/mainwindow_fixture.h"

namespace kurvex::test {
namespace {

// Any float in '.' form is the random test's; these are the comma in each
// layout, zero and the doubles at the edges of the fixed form.
TEST(ValueTextTest, GeneralFormatWithFifteenDigits) {
  const std::pair<double, const char*> cases[] = {
      {0, "0"}, {static_cast<float>(0.1), "0,100000001490116"}, {0.00001, "1E-5"}, {-2.5e-7, "-2,5E-7"},
      {123456789012345.0, "123456789012345"}, {1e15, "1E15"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(GeneralValueText(value, ','), text);
}

// Qt sets the C library to the user's locale; in a German session it writes
// decimal commas. 8.657f needs the exact (C library) rounding path.
TEST(ValueTextTest, ShortFormHasTheDigitsTheFloatNeeds) {
  const std::tuple<float, char, const char*> cases[] = {
      {6.992f, ',', "6,992"}, {-0.5f, '.', "-0.5"}, {100.0f, ',', "100"}, {1.5e20f, ',', "1,5E20"}, {2e-7f, ',', "2E-07"}};
  for (const auto& [value, separator, text] : cases) EXPECT_EQ(ShortValueText(value, separator), text);
}

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
  const std::pair<const char*, std::int64_t> cases[] = {
      {"5", 5}, {" -12abc", -12}, {"$1F", 31}, {"0x10", 16}, {"x7", 7}, {"COM5", 0}, {"", 0},
      {"99999999999999999999999999", INT64_MAX}};
  for (const auto& [text, number] : cases) EXPECT_EQ(LeadingInteger(text), number) << text;
}

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

using ValueDisplayTest = MainWindowTest;

TEST_F(ValueDisplayTest, TheWidestValueTextsFitTheLabelWhole) {
  TForm1& f = *form;
  const auto* label = static_cast<QLabel*>(f.Label10->Widget());
  EXPECT_GE(f.Label10->Width(), 233);
  EXPECT_LE(f.Label10->Width(), 275);
  const QFontMetrics metrics(label->font());
  // Negative, 15 digits, a three-digit exponent or the longest fixed form.
  for (double value : {-8.88888888888888e-308, -1.23456789012345e+300, -0.000888888888888888,
                       -888888888888888.0, -1.17549435082229e-38, -0.0010000000474974}) {
    const std::string text = GeneralValueText(value, ',');
    EXPECT_LE(metrics.horizontalAdvance(QString::fromStdString(text)),
              label->contentsRect().width())
        << text;
  }
  EXPECT_GE(label->contentsRect().height(), metrics.height());
}

TEST_F(ValueDisplayTest, TheValueLabelLeavesTheViewControlsTheirRoom) {
  const QWidget* panel = form->Panel1->Widget();
  const QList<QWidget*> controls = panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (const QWidget* a : controls) {
    EXPECT_TRUE(panel->rect().contains(a->geometry())) << a->objectName().toStdString();
    // Captions are shown whole too.
    if (qobject_cast<const QAbstractButton*>(a)) {
      EXPECT_GE(a->width(), a->sizeHint().width()) << a->objectName().toStdString();
    }
  }
  const auto* caption = static_cast<const QLabel*>(form->Label13->Widget());
  EXPECT_GE(caption->height(), caption->heightForWidth(caption->width()));
}

}  // namespace
}  // namespace kurvex::test
