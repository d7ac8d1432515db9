// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAccessible>
#include <QLabel>

#include "tests/app/mainwindow_fixture.h"
#include "tests/support/waituntil.h"

namespace kurvex::test {
namespace {

class AccessibilityTest : public MainWindowTest {
 protected:
  static QAccessibleInterface* Accessible(QObject* object) {
    QAccessibleInterface* found = QAccessible::queryAccessibleInterface(object);
    EXPECT_NE(found, nullptr);
    return found;
  }
  static std::string Name(QAccessibleInterface* object) {
    return object->text(QAccessible::Name).toStdString();
  }
  // What a screen reader says for a control: the names of its labels, then its own.
  static std::string Spoken(QAccessibleInterface* object) {
    std::string spoken;
    for (const auto& [label, relation] : object->relations(QAccessible::Label)) {
      spoken += Name(label) + ": ";
    }
    return spoken + Name(object);
  }
  // Texts that change per sample reach their labels at the next refresh.
  static void WaitUntilShown(const QLabel* label, const std::string& text) {
    test::WaitUntil([&] { return label->text().toStdString() == text; });
  }
  static void WaitUntilShown(TLabel& label) {
    WaitUntilShown(static_cast<QLabel*>(label.Widget()), label.Caption());
  }
};

// Before the first sample the value reads as nothing; its caption still
// says which value it names.
TEST_F(AccessibilityTest, TheCurrentValueIsReadWithItsCaption) {
  TForm1& f = *form;
  WaitUntilShown(*f.Label13);
  QAccessibleInterface* value = Accessible(f.Label10->Widget());
  EXPECT_EQ(value->role(), QAccessible::StaticText);
  EXPECT_EQ(Spoken(value), "Aktueller Sample-Wert nach Skalierung und Offset: ");
  const auto named = Accessible(f.Label13->Widget())->relations(QAccessible::Labelled);
  ASSERT_EQ(named.size(), 1);
  EXPECT_EQ(named.front().first->object(), f.Label10->Widget());
  EXPECT_EQ(Accessible(f.Label13->Widget())->role(), QAccessible::StaticText);

  f.StartButton->Click();
  Receive("12.5\r\n");
  WaitUntilShown(*f.Label10);
  EXPECT_EQ(Spoken(value), "Aktueller Sample-Wert nach Skalierung und Offset: 12,5");
  f.StopButton->Click();
  // The sample count panel says what it counts.
  const auto panels = f.StatusBar->Widget()->findChildren<QLabel*>();
  ASSERT_FALSE(panels.isEmpty());
  WaitUntilShown(panels.front(), "1");
  QAccessibleInterface* count = Accessible(panels.front());
  EXPECT_EQ(Name(count), "1");
  EXPECT_EQ(count->text(QAccessible::Description).toStdString(), "Sample-Anzahl");
}

// On Linux a combo box's name is its text, so the port settings tell
// themselves apart only by their labels: each its own caption first, then
// the group box around them. The data format's caption is read, not shown.
TEST_F(AccessibilityTest, EachPortSettingIsReadWithItsOwnCaption) {
  TForm1& f = *form;
  const std::pair<TComboBox*, std::string> boxes[] = {
      {f.ComComboBox.get(), "Com Port"}, {f.BaudComboBox.get(), "Baudrate"}, {f.FormatComboBox.get(), "Datenformat"}};
  for (const auto& [box, caption] : boxes) {
    QAccessibleInterface* combo = Accessible(box->Widget());
    EXPECT_EQ(combo->role(), QAccessible::ComboBox) << caption;
    EXPECT_EQ(box->AccessibleName(), caption);
    EXPECT_EQ(Spoken(combo), caption + ": Schnittstelle: " + box->Text());
    const auto labels = combo->relations(QAccessible::Label);
    ASSERT_FALSE(labels.isEmpty()) << caption;
    QAccessibleInterface* label = labels.front().first;
    EXPECT_EQ(label->role(), QAccessible::StaticText) << caption;
    EXPECT_EQ(static_cast<QLabel*>(label->object())->buddy(), box->Widget()) << caption;
  }
  // Hidden, the label paints nothing, yet stays in the tree to be read.
  QAccessibleInterface* format = Accessible(f.FormatLabel->Widget());
  EXPECT_FALSE(f.FormatLabel->Widget()->isVisibleTo(f.Widget()));
  EXPECT_TRUE(format->state().invisible);
  QAccessibleInterface* group = Accessible(f.GroupBox1->Widget());
  EXPECT_GE(group->indexOfChild(format), 0);
}

TEST_F(AccessibilityTest, NormalAndZoomAreRadioButtons) {
  TForm1& f = *form;
  for (TRadioButton* button : {f.NormalRadioButton.get(), f.ZoomRadioButton.get()}) {
    QAccessibleInterface* radio = Accessible(button->Widget());
    EXPECT_EQ(radio->role(), QAccessible::RadioButton) << button->Name();
    EXPECT_EQ(Name(radio), button->Caption());
    EXPECT_EQ(radio->state().checked, button->Checked());
  }
  // A screen reader's press chooses the button as a click does.
  Accessible(f.ZoomRadioButton->Widget())
      ->actionInterface()
      ->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_TRUE(f.ZoomRadioButton->Checked());
  EXPECT_FALSE(f.NormalRadioButton->Checked());
  EXPECT_EQ(f.Chart1->MouseAction(), maZoomDrag);
  EXPECT_TRUE(Accessible(f.ZoomRadioButton->Widget())->state().checked);
}

TEST_F(AccessibilityTest, TheWindowPanelsAndStatusBarHaveTheirRoles) {
  TForm1& f = *form;
  QAccessibleInterface* window = Accessible(f.Widget());
  EXPECT_EQ(window->role(), QAccessible::Window);
  EXPECT_EQ(Name(window), "Kurvex");
  EXPECT_EQ(f.Caption(), "  K u r v e x");
  EXPECT_EQ(Accessible(f.Panel1->Widget())->role(), QAccessible::Pane);
  EXPECT_EQ(Accessible(f.Panel2->Widget())->role(), QAccessible::Pane);
  QAccessibleInterface* bar = Accessible(f.StatusBar->Widget());
  EXPECT_EQ(bar->role(), QAccessible::StatusBar);
  EXPECT_EQ(Name(bar), "Statusleiste");
}

}  // namespace
}  // namespace kurvex::test
