// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAccessible>
#include <QTest>
#include <QWidget>
#include <string>
#include <vector>

#include "app/curves/curvedialog.h"
#include "app/curves/curvetexts.h"
#include "intake/linevalues.h"
#include "platform/system/localeformat.h"
#include "tests/support/qtapp.h"

namespace kurvex::test {
namespace {

// The dialog over settings of its own, three curves offered (the second
// named by its instrument), with German separators.
class CurveDialogTest : public QtAppTest {
 protected:
  CurveDialogTest() {
    OverrideLocaleSeparators({',', '.'});
    dialog.OnApplied = [this](std::size_t curve) { applied.push_back(curve); };
    dialog.ShowCurve(0);
  }
  ~CurveDialogTest() override { ResetLocaleSeparators(); }

  // Every field of curve 1 changed to a good value.
  void EditEveryField() {
    dialog.NameEdit->SetText("Neu");
    dialog.UnitEdit->SetText("V");
    dialog.FactorEdit->SetText("2");
    dialog.OffsetEdit->SetText("1");
    dialog.ShownCheckBox->SetChecked(false);
    dialog.RightAutoCheckBox->SetChecked(false);
    dialog.RightMinEdit->SetText("0");
    dialog.RightMaxEdit->SetText("1");
  }
  void ExpectCurveOneAsUntilSet() const {
    EXPECT_EQ(curves.Name(0), "");
    EXPECT_EQ(curves.Unit(0), "");
    EXPECT_EQ(curves.Scale(0), TCurveScale{});
    EXPECT_TRUE(curves.Shown(0));
    EXPECT_FALSE(curves.RightRange());
  }

  TCurveSettings curves;
  std::vector<std::string> labels{"", "Druck", ""};
  TCurveDialog dialog{curves, [this] { return labels.size(); }, [this](std::size_t c) { return c < labels.size() ? labels[c] : ""; }};
  std::vector<std::size_t> applied;
};

TEST_F(CurveDialogTest, EveryFieldGoesThroughApplyIntoTheSettings) {
  dialog.ShowCurve(1);
  dialog.NameEdit->SetText("Kessel");
  dialog.UnitEdit->SetText("bar");
  dialog.FactorEdit->SetText("0,1");
  dialog.OffsetEdit->SetText("-1,25");
  dialog.ColorComboBox->SetText("Grün");
  dialog.ShownCheckBox->SetChecked(false);
  dialog.AxisComboBox->SetText("rechts");
  EXPECT_FALSE(dialog.RightMinEdit->Enabled()) << "automatic until unchecked";
  dialog.RightAutoCheckBox->SetChecked(false);
  EXPECT_TRUE(dialog.RightMinEdit->Enabled());
  dialog.RightMinEdit->SetText("-0,5");
  dialog.RightMaxEdit->SetText("1E3");
  dialog.ApplyButton->Click();

  EXPECT_EQ(applied, std::vector<std::size_t>{1});
  EXPECT_EQ(dialog.MessageLabel->Caption(), "");
  EXPECT_EQ(curves.Name(1), "Kessel");
  EXPECT_EQ(curves.Unit(1), "bar");
  EXPECT_EQ(curves.Scale(1), (TCurveScale{0.1f, -1.25f}));
  EXPECT_EQ(curves.Color(1), RGB(0x11, 0x77, 0x33));
  EXPECT_FALSE(curves.Shown(1));
  EXPECT_EQ(curves.Axis(1), TCurveAxis::Right);
  EXPECT_EQ(curves.RightRange(), (TAxisRange{-0.5, 1000}));

  // Shown again as typed, not as the float's every digit.
  dialog.ShowCurve(1);
  EXPECT_EQ(dialog.FactorEdit->Text(), "0,1");
  EXPECT_EQ(dialog.RightMaxEdit->Text(), "1000");

  // Emptied, the window's factor and offset apply again, and the right axis follows the samples.
  dialog.FactorEdit->SetText("");
  dialog.OffsetEdit->SetText("");
  dialog.RightAutoCheckBox->SetChecked(true);
  dialog.ApplyButton->Click();
  EXPECT_EQ(curves.Scale(1), TCurveScale{});
  EXPECT_FALSE(curves.RightRange());
  EXPECT_EQ(applied, (std::vector<std::size_t>{1, 1}));
}

TEST_F(CurveDialogTest, ARefusedFieldLeavesTheCurveAsItWasAndGetsTheFocus) {
  dialog.Show();
  dialog.Widget()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.Widget()));
  const std::string tooLong(TLineValues::kMaxName + 1, 'x');
  const struct {
    TEdit* field;
    std::string text, reason;
  } cases[] = {
      {dialog.NameEdit.get(), tooLong, TooLongRefusal("Name", TLineValues::kMaxName)},
      {dialog.UnitEdit.get(), tooLong, TooLongRefusal("Einheit", TLineValues::kMaxName)},
      {dialog.FactorEdit.get(), "zwei", NotANumberRefusal("Faktor")},
      {dialog.FactorEdit.get(), "0,0", ZeroFactorRefusal()},
      {dialog.FactorEdit.get(), "1E39", TooLargeRefusal("Faktor")},
      {dialog.OffsetEdit.get(), "1.5", NotANumberRefusal("Offset")},
      {dialog.RightMinEdit.get(), "", NotANumberRefusal("von")},
      {dialog.RightMaxEdit.get(), "1E400", TooLargeRefusal("bis")},
      {dialog.RightMinEdit.get(), "1", RightRangeRefusal()},
  };
  for (const auto& c : cases) {
    dialog.ShowCurve(0);
    EditEveryField();
    c.field->SetText(c.text);
    dialog.ApplyButton->Click();
    EXPECT_EQ(dialog.MessageLabel->Caption(), c.reason);
    ExpectCurveOneAsUntilSet();
    EXPECT_TRUE(c.field->Focused()) << c.reason;
  }
  EXPECT_TRUE(applied.empty());
  dialog.CloseButton->Click();
  EXPECT_FALSE(dialog.Visible());
}

TEST_F(CurveDialogTest, AColourOutsideThePaletteStaysWhenAppliedUnchanged) {
  curves.SetColor(0, RGB(0x12, 0x34, 0xAB));
  dialog.ShowCurve(0);
  const std::vector<std::string> items = dialog.ColorComboBox->Items();
  ASSERT_EQ(items.size(), kMaxCurves + 1);
  EXPECT_EQ(items.front(), "Blau");
  EXPECT_EQ(items.back(), "#1234ab");
  EXPECT_EQ(dialog.ColorComboBox->Text(), "#1234ab");
  dialog.ApplyButton->Click();
  EXPECT_EQ(curves.Color(0), RGB(0x12, 0x34, 0xAB));
}

TEST_F(CurveDialogTest, EachCurveShowsItsOwnSettingsAndUnappliedEditsAreDropped) {
  curves.SetName(1, "Kessel");
  curves.SetScale(1, {2.5f, std::nullopt});
  curves.SetAxis(1, TCurveAxis::Right);
  dialog.ShowCurve(0);
  EXPECT_EQ(dialog.CurveComboBox->Items(), (std::vector<std::string>{"1", "2 – Druck", "3"}));
  dialog.NameEdit->SetText("nicht übernommen");

  dialog.CurveComboBox->SetText("2 – Druck");
  EXPECT_EQ(dialog.NameEdit->Text(), "Kessel");
  EXPECT_EQ(dialog.FactorEdit->Text(), "2,5");
  EXPECT_EQ(dialog.OffsetEdit->Text(), "");
  EXPECT_EQ(dialog.ColorComboBox->Text(), "Orange");
  EXPECT_EQ(dialog.AxisComboBox->Text(), "rechts");

  dialog.CurveComboBox->SetText("1");
  EXPECT_EQ(dialog.NameEdit->Text(), "");
  EXPECT_EQ(dialog.AxisComboBox->Text(), "links");
  dialog.ApplyButton->Click();
  EXPECT_EQ(applied, std::vector<std::size_t>{0});
  EXPECT_EQ(curves.Name(1), "Kessel");

  // A curve the legend opens beyond those offered is offered too.
  labels.resize(1);
  dialog.ShowCurve(1);
  EXPECT_EQ(dialog.CurveComboBox->Items(), (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(dialog.NameEdit->Text(), "Kessel");
}

TEST_F(CurveDialogTest, FieldsHaveTheirDesignNamesAndAreReadByTheirLabels) {
  const struct {
    TWinControl* field;
    std::string designName, spoken;
  } fields[] = {
      {dialog.CurveComboBox.get(), "CurveComboBox", "Kanal"},
      {dialog.NameEdit.get(), "NameEdit", "Name"},
      {dialog.UnitEdit.get(), "UnitEdit", "Einheit"},
      {dialog.FactorEdit.get(), "FactorEdit", "Faktor"},
      {dialog.OffsetEdit.get(), "OffsetEdit", "Offset"},
      {dialog.ColorComboBox.get(), "ColorComboBox", "Farbe"},
      {dialog.ShownCheckBox.get(), "ShownCheckBox", "Anzeigen"},
      {dialog.AxisComboBox.get(), "AxisComboBox", "Y-Achse"},
      {dialog.RightAxisGroupBox.get(), "RightAxisGroupBox", "Rechte Y-Achse"},
      {dialog.RightAutoCheckBox.get(), "RightAutoCheckBox", "automatisch"},
      {dialog.RightMinEdit.get(), "RightMinEdit", "von"},
      {dialog.RightMaxEdit.get(), "RightMaxEdit", "bis"},
      {dialog.ApplyButton.get(), "ApplyButton", "Übernehmen"},
      {dialog.CloseButton.get(), "CloseButton", "Schließen"},
  };
  for (const auto& [field, designName, spoken] : fields) {
    EXPECT_EQ(field->Name(), designName);
    EXPECT_EQ(field->AccessibleName(), spoken) << designName;
  }
  EXPECT_EQ(dialog.Name(), "FormKanaele");
  EXPECT_EQ(dialog.Caption(), "Kanäle");
  EXPECT_EQ(dialog.FactorEdit->Widget()->accessibleDescription().toStdString(), "leer: Roh-Daten Skalierungsfaktor");
  EXPECT_EQ(dialog.OffsetEdit->Widget()->accessibleDescription().toStdString(), "leer: Daten Offset");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(dialog.MessageLabel->Widget())->role(), QAccessible::StaticText);
}

}  // namespace
}  // namespace kurvex::test
