// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "widgets/numeditrules.h"

namespace kurvex {
namespace {

// The window's float fields, with a decimal comma.
NumEditSettings Real(bool isSigned = false) { return {etFloat, 9, 12, isSigned, false, {',', '.'}}; }
NumEditSettings Whole() { return {etNumeric, 0, 5, false, false, {',', '.'}}; }

EditState At(const std::string& text, int caret, int selected = 0) { return {text, caret, selected}; }

KeyResult Type(const EditState& state, char32_t key, const NumEditSettings& settings) {
  return TypeKey(state, key, false, settings);
}

TEST(EditRules, BackspaceAndDeleteMayNotJoinThePartsBeyondTheLengthLimit) {
  const EditState full = At("123456789012,5", 13);
  EXPECT_EQ(Type(full, kKeyBackspace, Real()).Action, KeyAction::Refused);
  EXPECT_EQ(DeleteKey(At("123456789012,5", 12), Real()), std::nullopt);
  EXPECT_EQ(DeleteKey(At("12345678901,5", 11), Real()), At("123456789015", 11));
  EXPECT_EQ(Type(At("12,5", 3), kKeyBackspace, Real()).State, At("125", 2));
  EXPECT_EQ(Type(At("12,5", 0), kKeyBackspace, Real()).State, At("12,5", 0));
  EXPECT_EQ(DeleteKey(At("12,5", 4), Real()), At("12,5", 4));
  EXPECT_EQ(DeleteKey(At("12,5", 1, 2), Real()), At("15", 1));
  // Without a limit everything may be joined.
  NumEditSettings unlimited = Real();
  unlimited.LengthLimit = 0;
  EXPECT_EQ(Type(full, kKeyBackspace, unlimited).State, At("1234567890125", 12));
}

TEST(EditRules, TheLengthLimitLetsSeparatorMinusBackspaceAndSelectionsThrough) {
  const EditState full = At("123456789012", 12);
  EXPECT_EQ(Type(full, '-', Real(true)).State, At("-123456789012", 13));
  EXPECT_EQ(Type(At("123456789012", 0, 1), '9', Real()).State, At("923456789012", 1));
  EXPECT_EQ(Type(At("-123456789012,5", 15), '7', Real(true)).State, At("-123456789012,57", 16));
  // Thousands separators and the sign are no digits.
  EXPECT_EQ(Type(At("-12.345", 7), '6', NumEditSettings{etFloat, 2, 6, true, false, {',', '.'}})
                .State,
            At("-12.3456", 8));
  // Ctrl shortcuts are no digits the limit could refuse.
  EXPECT_EQ(TypeKey(At("123456789012", 12), 1, true, Real()).Action, KeyAction::Platform);
}

TEST(EditRules, EnterEscapeAndCtrlKeys) {
  for (const NumEditSettings& settings : {Real(), Whole()}) {
    EXPECT_EQ(Type(At("12345", 5), kKeyEnter, settings).Action, KeyAction::ToParent);
    EXPECT_EQ(Type(At("1", 1), kKeyEscape, settings).Action, KeyAction::ToParent);
    EXPECT_EQ(TypeKey(At("1", 1), kKeyCtrlEnter, true, settings).Action, KeyAction::Refused);
    // Select all, copy, paste, cut, undo: the edit control's own.
    for (char32_t key : {1, 3, 22, 24, 26}) {
      EXPECT_EQ(TypeKey(At("1", 1), key, true, settings).Action, KeyAction::Platform);
    }
    EXPECT_EQ(TypeKey(At("12", 2), kKeyBackspace, true, settings).State, At("1", 1));
  }
}

TEST(EditRules, ThousandsSeparatorsOnlyWhereAGroupOfThreeEnds) {
  const NumEditSettings real = Real();
  EXPECT_EQ(Type(At("1.000", 5), '.', real).State, At("1.000.", 6));
  EXPECT_EQ(Type(At("1.000", 4), '.', real).Action, KeyAction::Refused);
  EXPECT_EQ(Type(At("1.000", 5), ',', real).State, At("1.000,", 6));
  EXPECT_EQ(Type(At("1.000", 3), ',', real).Action, KeyAction::Refused);
  EXPECT_EQ(Type(At("12.000", 0), '.', real).Action, KeyAction::Refused);
  EXPECT_EQ(Type(At("000.000", 0), '.', real).State, At(".000.000", 1));
  // Without grouping a thousands separator goes anywhere; leaving drops it.
  EXPECT_EQ(Type(At("15", 1), '.', real).State, At("1.5", 2));
  // A character that is neither separator is never one.
  const NumEditSettings swiss{etFloat, 2, 0, false, false, {'.', '\''}};
  EXPECT_EQ(Type(At("1", 1), ',', swiss).Action, KeyAction::Refused);
  EXPECT_EQ(Type(At("1", 1), '\'', swiss).Action, KeyAction::Refused);
}

TEST(EditRules, DecimalSeparatorWithSelectionsAndOtherPrecisions) {
  // A selection holding the separator is replaced by it.
  EXPECT_EQ(Type(At("1,5", 1, 2), ',', Real()).State, At("1,", 2));
  // One outside the selection makes the caret jump there.
  EXPECT_EQ(Type(At("12,5", 0, 1), ',', Real()).State, At("12,5", 3));
  NumEditSettings integral = Real();
  integral.Precision = 0;
  EXPECT_EQ(Type(At("1", 1), ',', integral).Action, KeyAction::Refused);
  EXPECT_EQ(Type(At("", 0), ',', integral).Action, KeyAction::Refused);
  NumEditSettings free = Real();
  free.Precision = -1;
  EXPECT_EQ(Type(At("1,123456789012", 14), '3', free).State, At("1,1234567890123", 15));
  // The minus sign replaces a selection in a float field.
  EXPECT_EQ(Type(At("12,5", 0, 4), '-', Real(true)).State, At("-", 1));
}

TEST(EditRules, MinusInIntegerFields) {
  NumEditSettings whole = Whole();
  EXPECT_EQ(Type(At("12", 1), '-', whole).Action, KeyAction::Refused);
  whole.Signed = true;
  EXPECT_EQ(Type(At("12", 0, 2), '-', whole).State, At("-", 1));
  EXPECT_EQ(Type(At("", 0), '-', whole).State, At("-", 1));
  EXPECT_EQ(Type(At("123", 2, 1), '-', whole).State, At("-123", 3));
  EXPECT_EQ(Type(At("-123", 0), '-', whole).State, At("123", 0));
  EXPECT_EQ(Type(At("12", 1), 'a', whole).Action, KeyAction::Refused);
}

TEST(EditRules, SeparatorDigitsAndSignWithEitherDecimalSeparator) {
  for (const LocaleSeparators separators : {LocaleSeparators{',', '.'}, LocaleSeparators{'.', ','}}) {
    NumEditSettings real = Real(true);
    real.Separators = separators;
    const char d = separators.Decimal;
    const auto T = [d](std::string text) {
      for (char& c : text) c = c == 'D' ? d : c;
      return text;
    };
    // Into an empty field the separator brings a 0; a second one moves the caret behind the first.
    EXPECT_EQ(Type(At("", 0), d, real).State, At(T("0D"), 2));
    EXPECT_EQ(Type(At(T("70D5"), 1), d, real).State, At(T("70D5"), 3));
    // Full decimals are overwritten and take no more at the end.
    EXPECT_EQ(Type(At(T("4D000000000"), 2), '1', real).State, At(T("4D100000000"), 3));
    EXPECT_EQ(Type(At(T("4D120000000"), 11), '9', real).Action, KeyAction::Refused);
    EXPECT_EQ(Type(At(T("4D120000000"), 11), d, real).State, At(T("4D120000000"), 2));
    // Twelve digits before the separator, typed anywhere.
    EXPECT_EQ(Type(At("123456789012", 12), '3', real).Action, KeyAction::Refused);
    EXPECT_EQ(Type(At(T("123456789012D25"), 3), '4', real).Action, KeyAction::Refused);
    // Minus toggles the leading sign from anywhere.
    EXPECT_EQ(Type(At(T("12D5"), 2), '-', real).State, At(T("-12D5"), 3));
    EXPECT_EQ(Type(At(T("-12D5"), 5), '-', real).State, At(T("12D5"), 4));
  }
  EXPECT_EQ(Type(At("12", 2), '-', Real()).Action, KeyAction::Refused);
  EXPECT_EQ(Type(At("12345", 5), '6', Whole()).Action, KeyAction::Refused);
  for (char key : {'-', ',', '.', 'x', ' ', '+', 'e'}) {
    EXPECT_EQ(Type(At("1", 1), key, Whole()).Action, KeyAction::Refused) << key;
  }
}

TEST(EditRules, LeavingAnEmptyFieldShowsZeroUnlessNullValuesAreAllowed) {
  EXPECT_EQ(LeaveText("", Real()), "0,000000000");
  EXPECT_EQ(LeaveText("", Whole()), "0");
  NumEditSettings nullable = Real();
  nullable.AllowNumericNullValue = true;
  EXPECT_EQ(LeaveText("", nullable), "");
  EXPECT_EQ(LeaveText("1.000,5", nullable), "1000,500000000");
}

TEST(EditRules, PastesAreJudgedByTheTextTheyWouldGive) {
  const NumEditSettings real = Real();
  EXPECT_EQ(PasteText(At("1,5", 3), "25", real), At("1,525", 5));
  EXPECT_EQ(PasteText(At("", 0), "1.234,5", real), At("1.234,5", 7));
  EXPECT_EQ(PasteText(At("1,5", 1), ",25", real), std::nullopt);  // two separators
  EXPECT_EQ(PasteText(At("1", 1), "-", real), std::nullopt);      // unsigned
  EXPECT_EQ(PasteText(At("1", 0), "-", Real(true)), At("-1", 1));
  EXPECT_EQ(PasteText(At("1", 1), "-", Real(true)), std::nullopt);  // minus not in front
  EXPECT_EQ(PasteText(At("1", 0, 1), "", real), std::nullopt);      // nothing left
  EXPECT_EQ(PasteText(At("1", 1), "1e5", real), std::nullopt);
  // The length limit does not apply to pastes.
  EXPECT_EQ(PasteText(At("", 0), "12345678901234", real), At("12345678901234", 14));

  NumEditSettings integral = real;
  integral.Precision = 0;
  EXPECT_EQ(PasteText(At("", 0), "1,5", integral), std::nullopt);
  EXPECT_EQ(PasteText(At("1,", 2), "5", integral), At("1,5", 3));

  EXPECT_EQ(PasteText(At("12", 2), "345678", Whole()), At("12345678", 8));
  EXPECT_EQ(PasteText(At("12", 2), "3,5", Whole()), std::nullopt);
  EXPECT_EQ(PasteText(At("12", 2), "5-3", Whole()), std::nullopt);
}

}  // namespace
}  // namespace kurvex
