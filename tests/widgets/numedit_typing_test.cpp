// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>

#include <string>

#include "tests/widgets/numedit_fixture.h"

namespace kurvex {
namespace {

// Every case runs with a decimal comma and with a decimal point.
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

TEST_P(NumEditTyping, LeavingAFloatFieldShowsTheCanonicalForm) {
  EnterEmpty(real);
  Type(real, "1");
  Leave();
  EXPECT_EQ(real.Text(), L("1D000000000"));

  EnterEmpty(real);
  Type(real, "1D5");
  Leave();
  EXPECT_EQ(real.Text(), L("1D500000000"));
  EXPECT_TRUE(real.Modified()) << "leaving keeps the modified flag";

  EnterEmpty(real);
  Type(real, "1T000D5");
  EXPECT_EQ(real.Text(), L("1T000D5"));
  Leave();
  EXPECT_EQ(real.Text(), L("1000D500000000"));

  real.SetText(L("0D1"));
  EXPECT_EQ(real.Text(), L("0D100000000"));
  EXPECT_FALSE(real.Modified());
  EXPECT_TRUE(errors.empty());
}

TEST_P(NumEditTyping, SeparatorIntoAnEmptyFieldAndTheJumpOnASecondOne) {
  EnterEmpty(real);
  Type(real, "D");
  EXPECT_EQ(real.Text(), L("0D"));
  EXPECT_EQ(Caret(real), 2);

  Type(real, "5");
  Press(real, Qt::Key_Home);
  Type(real, "7");
  EXPECT_EQ(real.Text(), L("70D5"));
  Type(real, "D");  // jumps behind the separator instead of adding one
  EXPECT_EQ(real.Text(), L("70D5"));
  EXPECT_EQ(Caret(real), 3);
  Type(real, "3");
  EXPECT_EQ(real.Text(), L("70D35"));
}

TEST_P(NumEditTyping, FullDecimalsAreOverwrittenAndRefuseMoreAtTheEnd) {
  real.SetText("4");
  real.SetFocus();
  Edit(real)->setCursorPosition(2);
  Type(real, "12");
  EXPECT_EQ(real.Text(), L("4D120000000"));
  EXPECT_EQ(Caret(real), 4);

  Press(real, Qt::Key_End);
  Type(real, "9");
  EXPECT_EQ(real.Text(), L("4D120000000"));
  Type(real, "D");
  EXPECT_EQ(real.Text(), L("4D120000000"));
  EXPECT_EQ(Caret(real), 2);

  // Before the separator digits are inserted as usual.
  Press(real, Qt::Key_Home);
  Type(real, "3");
  EXPECT_EQ(real.Text(), L("34D120000000"));
}

TEST_P(NumEditTyping, TwelveDigitsBeforeTheSeparatorAndFiveInTheIntegerField) {
  EnterEmpty(real);
  Type(real, "1234567890123");
  EXPECT_EQ(real.Text(), "123456789012");
  Press(real, Qt::Key_Home);
  Type(real, "9");
  EXPECT_EQ(real.Text(), "123456789012");
  Press(real, Qt::Key_End);
  Type(real, "D25");
  EXPECT_EQ(real.Text(), L("123456789012D25"));
  Edit(real)->setCursorPosition(3);
  Type(real, "4");
  EXPECT_EQ(real.Text(), L("123456789012D25"));
  Leave();
  EXPECT_EQ(real.Text(), L("123456789012D250000000"));

  EnterEmpty(whole);
  Type(whole, "123456");
  EXPECT_EQ(whole.Text(), "12345");
  Press(whole, Qt::Key_Backspace);
  Type(whole, "9");
  EXPECT_EQ(whole.Text(), "12349");
}

TEST_P(NumEditTyping, MinusTogglesTheLeadingSignFromAnywhereInSignedFieldsOnly) {
  EnterEmpty(offset);
  Type(offset, "12D5");
  Edit(offset)->setCursorPosition(2);
  Type(offset, "-");
  EXPECT_EQ(offset.Text(), L("-12D5"));
  EXPECT_EQ(Caret(offset), 3);
  Press(offset, Qt::Key_End);
  Type(offset, "-");
  EXPECT_EQ(offset.Text(), L("12D5"));
  EXPECT_EQ(Caret(offset), 4);
  Type(offset, "-");
  Leave();
  EXPECT_EQ(offset.Text(), L("-12D500000000"));

  EnterEmpty(real);
  Type(real, "12-");
  EXPECT_EQ(real.Text(), "12");
}

TEST_P(NumEditTyping, TheIntegerFieldTakesDigitsOnly) {
  EnterEmpty(whole);
  Type(whole, "1-,.x2 +3e");
  EXPECT_EQ(whole.Text(), "123");
  Press(whole, Qt::Key_Backspace);
  Press(whole, Qt::Key_Backspace);
  Press(whole, Qt::Key_Backspace);
  EXPECT_EQ(whole.Text(), "");
  Leave();
  EXPECT_EQ(whole.Text(), "0");
  whole.SetText("");
  EXPECT_EQ(whole.Text(), "0");
}

TEST_P(NumEditTyping, EmptiedFieldsShowZeroOnLeavingUnlessNullValuesAreAllowed) {
  EnterEmpty(real);
  Leave();
  EXPECT_EQ(real.Text(), L("0D000000000"));
  real.SetText("");
  EXPECT_EQ(real.Text(), L("0D000000000"));

  real.SetAllowNumericNullValue(true);
  whole.SetAllowNumericNullValue(true);
  EnterEmpty(real);
  EnterEmpty(whole);
  Leave();
  EXPECT_EQ(real.Text(), "");
  EXPECT_EQ(whole.Text(), "");
}

TEST_P(NumEditTyping, PastesAreAcceptedRefusedAndReformatted) {
  QGuiApplication::clipboard()->setText(QString::fromLatin1(L("1T234D5")));
  real.SetText("7");
  real.SetFocus();  // all selected
  Press(real, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(real.Text(), L("1234D500000000"));
  EXPECT_TRUE(real.Modified());

  for (const char* refused : {"12x", "1D2D3", "-5", "5-3", "1e3", "1 2"}) {
    QGuiApplication::clipboard()->setText(QString::fromLatin1(L(refused)));
    Press(real, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(real.Text(), L("1234D500000000")) << refused;
  }

  // A paste inserts at the caret and may exceed the typing limits.
  QGuiApplication::clipboard()->setText("99");
  whole.SetText("123");
  whole.SetFocus();
  Press(whole, Qt::Key_End);
  Press(whole, Qt::Key_V, Qt::ControlModifier);
  Press(whole, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(whole.Text(), "1239999");
  QGuiApplication::clipboard()->setText(QString::fromLatin1(L("1D5")));
  Press(whole, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(whole.Text(), "1239999");

  QGuiApplication::clipboard()->setText("-2");
  offset.SetFocus();
  Press(offset, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(offset.Text(), L("-2D000000000"));
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

  // A minus replacing a selection in the middle of a float field.
  EnterEmpty(offset);
  Type(offset, "12");
  Edit(offset)->setSelection(1, 1);
  Type(offset, "-");
  Leave();
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[1], "'1-' ist kein gültiger Gleitkommawert");

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
