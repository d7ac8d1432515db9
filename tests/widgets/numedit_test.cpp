// SPDX-License-Identifier: GPL-3.0-or-later
#include <optional>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QString>
#include <QTest>
#include <QTimer>

#include "platform/drawing/qtconvert.h"
#include "platform/system/error.h"
#include "platform/windows/panel.h"
#include "tests/support/qtapp.h"
#include "widgets/numberconvert.h"
#include "widgets/numedit.h"
#include "widgets/numeditrules.h"

namespace kurvex::test {
namespace {

/// A shown, active window holding fields configured as the main window's:
/// `real` (unsigned float, 12 digits, 9 decimals), `offset` (the same,
/// signed), `whole` (unsigned integer, 5 digits) and `elsewhere`, which
/// takes the focus when a test leaves a field. Errors reported while the
/// test runs are collected in `errors`.
class NumEditFixture : public QtAppTest {
 protected:
  void SetUp() override {
    window.SetBounds(0, 0, 420, 160);
    int top = 0;
    for (TNumEdit* field : {&real, &offset, &whole, &elsewhere}) {
      field->SetBounds(10, top += 30, 300, 24);
      field->SetShowError(true);
    }
    for (TNumEdit* field : {&real, &offset}) {
      field->SetEditType(etFloat);
      field->SetLengthLimit(12);
      field->SetPrecision(9);
    }
    offset.SetSigned(true);
    whole.SetEditType(etNumeric);
    whole.SetLengthLimit(5);
    UseSeparators({',', '.'});
    window.Show();
    window.Widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.Widget()));
    // Activation focuses the first field; tests enter the fields themselves.
    Leave();
    ASSERT_TRUE(elsewhere.Focused());
    SetErrorReporter([this](const EKurvexError& error) { errors.push_back(error.what()); });
  }

  void TearDown() override {
    SetErrorReporter(nullptr);
    window.Hide();
  }

  void UseSeparators(LocaleSeparators used) {
    separators = used;
    for (TNumEdit* field : {&real, &offset, &whole, &elsewhere}) field->SetSeparators(used);
  }

  /// `pattern` with "D" standing for the decimal and "T" for the thousands
  /// separator in use.
  std::string L(std::string pattern) const {
    for (char& c : pattern) {
      if (c == 'D') c = separators.Decimal;
      if (c == 'T') c = separators.Thousands;
    }
    return pattern;
  }

  static QLineEdit* Edit(TNumEdit& field) { return static_cast<QLineEdit*>(field.Widget()); }
  static int Caret(TNumEdit& field) { return Edit(field)->cursorPosition(); }

  /// Types the characters of L(keys) into the field as key presses.
  void Type(TNumEdit& field, const std::string& keys) {
    QTest::keyClicks(field.Widget(), QString::fromLatin1(L(keys)));
  }
  static void Press(TNumEdit& field, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(field.Widget(), key, modifiers);
  }
  /// Gives the field the focus (selecting its text) and empties it.
  static void EnterEmpty(TNumEdit& field) {
    field.SetFocus();
    Press(field, Qt::Key_Backspace);
  }
  void Leave() { elsewhere.SetFocus(); }

  TPanel window{nullptr};
  TNumEdit real{&window};
  TNumEdit offset{&window};
  TNumEdit whole{&window};
  TNumEdit elsewhere{&window};
  LocaleSeparators separators;
  std::vector<std::string> errors;
};

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

using NumEditField = test::NumEditFixture;

std::string Clipboard() { return QGuiApplication::clipboard()->text().toStdString(); }

// Records the keys other than modifiers that reach a widget.
class KeyRecorder : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Control && key != Qt::Key_Shift) keys.push_back(key);
    return false;
  }
  std::vector<int> keys;
};

TEST_F(NumEditField, EnterAndEscapeGoOnToTheParentWindow) {
  KeyRecorder parent;
  window.Widget()->installEventFilter(&parent);
  real.SetText("1");
  real.SetFocus();
  Press(real, Qt::Key_Return);
  Press(real, Qt::Key_Enter, Qt::KeypadModifier);
  Press(real, Qt::Key_Escape);
  Press(real, Qt::Key_Return, Qt::ControlModifier);  // dropped
  window.Widget()->removeEventFilter(&parent);
  EXPECT_EQ(parent.keys, (std::vector<int>{Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}));
  EXPECT_EQ(real.Text(), "1,000000000");
}

TEST_F(NumEditField, GettingTheFocusSelectsAndRemembersTheValue) {
  real.SetPrefix("x = ");
  real.SetText("2");
  real.SetFocus();
  EXPECT_EQ(Edit(real)->selectedText().toStdString(), "2,000000000");
  EXPECT_EQ(real.FocusText(), "2,000000000");
  Type(real, "7");
  EXPECT_EQ(real.Text(), "7");

  Leave();
  real.SetAutoSelect(false);
  Edit(real)->setFocus(Qt::TabFocusReason);
  EXPECT_FALSE(Edit(real)->hasSelectedText());
  EXPECT_EQ(real.FocusText(), "7,000000000");
}

TEST_F(NumEditField, PrefixAndSuffixAreShownButNeverEdited) {
  whole.SetPrefix("n = ");
  whole.SetSuffix(" Stk");
  whole.SetText("12");
  EXPECT_EQ(Edit(whole)->text().toStdString(), "n = 12 Stk");
  EXPECT_EQ(whole.Text(), "12");

  whole.SetFocus();
  Press(whole, Qt::Key_End);  // into the suffix: typing goes behind the value
  Type(whole, "3");
  EXPECT_EQ(Edit(whole)->text().toStdString(), "n = 123 Stk");
  Press(whole, Qt::Key_Home);  // into the prefix
  Press(whole, Qt::Key_Backspace);
  Press(whole, Qt::Key_Delete);
  EXPECT_EQ(Edit(whole)->text().toStdString(), "n = 23 Stk");
  Press(whole, Qt::Key_End);
  Press(whole, Qt::Key_Delete);
  EXPECT_EQ(Edit(whole)->text().toStdString(), "n = 23 Stk");

  whole.SetPrefix("");
  EXPECT_EQ(Edit(whole)->text().toStdString(), "23 Stk");
  EXPECT_EQ(whole.Text(), "23");
}

TEST_F(NumEditField, TheErrorStateFollowsTheValidatorsVerdict) {
  std::vector<std::string> judged;
  real.SetPrefix("> ");
  real.OnValueValidate = [&](TObject* sender, const std::string& value, bool& valid) {
    EXPECT_EQ(sender, &real);
    EXPECT_TRUE(valid);
    judged.push_back(value);
    valid = value.size() < 3;
  };
  EnterEmpty(real);
  Type(real, "15");
  EXPECT_FALSE(real.InErrorState());
  Type(real, "0");
  EXPECT_TRUE(real.InErrorState());
  const QPalette colours = Edit(real)->palette();
  EXPECT_EQ(colours.color(QPalette::Base), ToQColor(clRed));
  EXPECT_EQ(colours.color(QPalette::Text), ToQColor(clWhite));
  real.SetErrorColor(clYellow);
  EXPECT_EQ(Edit(real)->palette().color(QPalette::Base), ToQColor(clYellow));

  Press(real, Qt::Key_Backspace);
  EXPECT_FALSE(real.InErrorState());
  EXPECT_EQ(Edit(real)->palette().color(QPalette::Base), Edit(whole)->palette().color(QPalette::Base));
  EXPECT_EQ(judged, (std::vector<std::string>{"", "1", "15", "150", "15"}));

  Type(real, "0");
  real.SetShowError(false);
  EXPECT_FALSE(real.InErrorState());
  judged.clear();
  Type(real, "1");
  EXPECT_TRUE(judged.empty());
}

TEST_F(NumEditField, TheContextMenusPasteGoesThroughTheRules) {
  auto pasteFromMenu = [](TNumEdit& field, const char* clipboard) {
    QGuiApplication::clipboard()->setText(clipboard);
    QTimer::singleShot(0, [] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      ASSERT_NE(menu, nullptr);
      for (QAction* action : menu->actions()) {
        if (action->text().startsWith("&Paste")) action->trigger();
      }
      menu->close();
    });
    const QPoint at(5, 5);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, field.Widget()->mapToGlobal(at));
    QApplication::sendEvent(field.Widget(), &event);
  };
  EnterEmpty(real);
  Type(real, "1");
  pasteFromMenu(real, "2x");
  // Opening the menu is no leaving: the text is not reformatted yet.
  EXPECT_EQ(real.Text(), "1");
  pasteFromMenu(real, "5");
  EXPECT_EQ(real.Text(), "15,000000000");
  EXPECT_TRUE(errors.empty());
}

TEST_F(NumEditField, SelectCopyCutAndUndoWorkAsInAnyField) {
  for (TNumEdit* field : {&real, &whole}) {
    SCOPED_TRACE(field == &real ? "float field" : "integer field");
    field->SetText("42");
    const std::string shown = field->Text();
    field->SetFocus();
    Press(*field, Qt::Key_End);
    Press(*field, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Edit(*field)->selectedText().toStdString(), shown);

    QGuiApplication::clipboard()->clear();
    Press(*field, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), shown);

    QGuiApplication::clipboard()->clear();
    Press(*field, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), shown);
    EXPECT_EQ(field->Text(), "");

    Press(*field, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(field->Text(), shown);
    Leave();
  }
}

TEST_F(NumEditField, PastingByKeyGoesThroughThePasteRulesAndCanBeUndone) {
  EnterEmpty(real);
  Type(real, "1");
  QGuiApplication::clipboard()->setText("2x");
  Press(real, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(real.Text(), "1");
  QGuiApplication::clipboard()->setText("5");
  Press(real, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(real.Text(), "15,000000000");
  // Undo steps back through the reformatting, then the paste.
  Press(real, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(real.Text(), "15");
  Press(real, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(real.Text(), "1");
}

TEST_F(NumEditField, OtherControlKeysTypeNothing) {
  EnterEmpty(real);
  Type(real, "7");
  for (Qt::Key key : {Qt::Key_B, Qt::Key_Q, Qt::Key_1}) Press(real, key, Qt::ControlModifier);
  EXPECT_EQ(real.Text(), "7");
}

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
}  // namespace kurvex::test
