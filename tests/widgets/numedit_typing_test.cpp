// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "tests/widgets/numedit_fixture.h"

namespace kurvex {
namespace {

// The field hands its separators, keys and leaving to the rules (whose own
// tests cover each case); every case runs with a decimal comma and with a
// decimal point.
class NumEditTyping : public test::NumEditFixture,
                      public ::testing::WithParamInterface<LocaleSeparators> {
 protected:
  void SetUp() override {
    NumEditFixture::SetUp();
    UseSeparators(GetParam());
  }
};

INSTANTIATE_TEST_SUITE_P(Separators, NumEditTyping,
                         ::testing::Values(LocaleSeparators{',', '.'}, LocaleSeparators{'.', ','}),
                         [](const auto& info) {
                           return info.param.Decimal == ',' ? std::string("DecimalComma")
                                                            : std::string("DecimalPoint");
                         });

TEST_P(NumEditTyping, KeysGoThroughTheRulesAndLeavingShowsTheCanonicalForm) {
  EnterEmpty(real);
  Type(real, "D5");
  Press(real, Qt::Key_Home);
  Type(real, "7D3");  // the second separator only moves the caret
  EXPECT_EQ(real.Text(), L("70D35"));
  EXPECT_EQ(Caret(real), 4);

  Leave();
  EnterEmpty(real);
  Type(real, "1T000D5");
  EXPECT_EQ(real.Text(), L("1T000D5"));
  Leave();
  EXPECT_EQ(real.Text(), L("1000D500000000"));
  EXPECT_TRUE(real.Modified()) << "leaving keeps the modified flag";
  real.SetText(L("0D1"));
  EXPECT_EQ(real.Text(), L("0D100000000"));
  EXPECT_FALSE(real.Modified());

  EnterEmpty(whole);
  Type(whole, "1-,.x23456");
  EXPECT_EQ(whole.Text(), "12345");
  Leave();
  EnterEmpty(whole);
  Leave();
  EXPECT_EQ(whole.Text(), "0");
  real.SetAllowNumericNullValue(true);
  EnterEmpty(real);
  Leave();
  EXPECT_EQ(real.Text(), "");
  EXPECT_TRUE(errors.empty());
}

TEST_P(NumEditTyping, TextsThatAreNoNumberAreReportedInGerman) {
  EnterEmpty(real);
  Type(real, "D");
  Press(real, Qt::Key_Home);
  Press(real, Qt::Key_Delete);
  EXPECT_EQ(real.Text(), L("D"));
  Leave();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], L("'D' ist kein gültiger Gleitkommawert"));
  EXPECT_EQ(real.Text(), L("D")) << "the text stays as typed";

  try {
    real.SetText("abc");
    ADD_FAILURE() << "no error";
  } catch (const EKurvexError& error) {
    EXPECT_STREQ(error.what(), "'abc' ist kein gültiger Gleitkommawert");
  }
  EXPECT_EQ(real.Text(), L("D"));
}

}  // namespace
}  // namespace kurvex
