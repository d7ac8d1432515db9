// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <array>

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>

#include "app/closer/closertexts.h"
#include "app/numbertext.h"
#include "tests/app/mainwindow_fixture.h"
#include "tests/support/waituntil.h"

namespace kurvex::test {
namespace {

using MainWindowDesignTest = MainWindowTest;

// Every control a user reaches is found by its design name and read out by
// a screen reader under a name of its own.
TEST_F(MainWindowDesignTest, EveryControlHasItsDesignNameAndAnAccessibleName) {
  for (QWidget* control : form->Widget()->findChildren<QWidget*>()) {
    const bool reachable = control->focusPolicy() != Qt::NoFocus && control->isVisibleTo(form->Widget()) &&
                           !control->objectName().isEmpty() && control->parentWidget() != nullptr &&
                           !control->objectName().startsWith("qt_");
    if (!reachable || qobject_cast<QAbstractScrollArea*>(control->parentWidget()) ||
        qobject_cast<QComboBox*>(control->parentWidget())) {
      continue;
    }
    EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
  }
  EXPECT_EQ(form->DatSkalEdit->AccessibleName(), "Roh-Daten Skalierungsfaktor");
}

// Controls side by side never cover one another, whatever their texts (a
// group box frames the fields placed on it).
void ExpectNoTwoShownControlsOfAGroupOverlap(QWidget* window) {
  for (QWidget* parent : window->findChildren<QWidget*>()) {
    std::vector<QWidget*> shown;
    for (QObject* child : parent->children()) {
      auto* widget = qobject_cast<QWidget*>(child);
      if (widget && widget->isVisibleTo(window) && !widget->isWindow() && !qobject_cast<QGroupBox*>(widget) &&
          !widget->objectName().isEmpty() && !widget->objectName().startsWith("qt_")) {
        shown.push_back(widget);
      }
    }
    for (std::size_t a = 0; a < shown.size(); ++a) {
      for (std::size_t b = a + 1; b < shown.size(); ++b) {
        EXPECT_FALSE(shown[a]->geometry().intersects(shown[b]->geometry()))
            << shown[a]->objectName().toStdString() << " and " << shown[b]->objectName().toStdString();
      }
    }
  }
}

TEST_F(MainWindowDesignTest, NoTwoControlsOfAGroupOverlap) { ExpectNoTwoShownControlsOfAGroupOverlap(form->Widget()); }

// At the window's smallest size, the readout beside the longest history
// start and the panel under the chart with the longest figures.
TEST_F(MainWindowDesignTest, TheCloserLooksLabelsShowTheirLongestTextsWhole) {
  TForm1& f = *form;
  TCloserPanel& panel = f.CloserLook().Panel();
  f.CloserLook().SetStatisticsShown(true);
  const std::string longestSample = SampleText({12'345'678, 0, -3.4028235e38f, 1'796'638'500'123'000'000}, ',');
  panel.ReadoutLabel->SetCaption(longestSample);
  panel.ReadoutLabel->SetVisible(true);
  auto* historyStart = f.Chart1->Widget()->findChild<QLabel*>("HistoryStartLabel");
  ASSERT_NE(historyStart, nullptr);
  historyStart->setText("Verlauf ab Sample 12.345.678");
  historyStart->adjustSize();
  historyStart->show();
  f.Chart1->Widget()->findChild<QWidget*>("FollowButton")->show();
  std::vector<TLabel*> labels = {panel.ReadoutLabel.get(), panel.StatisticsRangeLabel.get()};
  for (std::size_t i = 0; i < kFigureCount; ++i) {
    const auto figure = static_cast<TFigure>(i);
    const bool marker = figure == TFigure::MarkerA || figure == TFigure::MarkerB;
    const TPickedSample longest{12'345'678, 0, -3.4028235e38f, std::nullopt};
    panel.Value(figure).SetCaption(marker ? SampleText(longest, ',') : "-6,8056469E38");
    labels.push_back(&panel.Value(figure));
    labels.push_back(&panel.Caption(figure));
  }
  panel.StatisticsRangeLabel->SetCaption("Statistik: sichtbarer Bereich");
  for (TLabel* label : labels) {
    auto* shown = static_cast<QLabel*>(label->Widget());
    const int needed = shown->fontMetrics().horizontalAdvance(QString::fromStdString(label->Caption()));
    EXPECT_GE(shown->contentsRect().width(), needed) << label->Name();
  }
  EXPECT_LE(panel.Panel->Widget()->geometry().bottom(), f.StatusBar->Widget()->geometry().top());
  ExpectNoTwoShownControlsOfAGroupOverlap(f.Widget());
}

TEST_F(MainWindowDesignTest, FieldsStartAtTheirDesignValuesInTheLocalesForm) {
  EXPECT_EQ(form->DatSkalEdit->Text(), "1,000000000");
  EXPECT_EQ(form->GraphXmaxEdit->Text(), "1000");
  EXPECT_EQ(form->GraphYmaxEdit->Text(), "10,000000000");
  EXPECT_EQ(form->Label14->Caption(), "Dezimaltrennung = Komma");
}

TEST_F(MainWindowDesignTest, BothWindowsShowTheProgramIconUnderTheDesktopEntrysName) {
  // The task bar groups windows whose name matches an installed desktop entry.
  EXPECT_EQ(QGuiApplication::desktopFileName(), KURVEX_APP_ID);
  for (QWidget* window : {form->Widget(), form->FormInfo->Widget()}) {
    const QList<QSize> sizes = window->windowIcon().availableSizes();
    for (const int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
      EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
    }
  }
}

class PointLocaleDesignTest : public MainWindowTest {
 protected:
  PointLocaleDesignTest() : MainWindowTest({'.', ','}) {}
};

TEST_F(PointLocaleDesignTest, ADecimalPointLocaleSeesTheSameValues) {
  EXPECT_EQ(form->DatSkalEdit->Text(), "1.000000000");
  EXPECT_EQ(form->GraphYmaxEdit->Text(), "10.000000000");
  EXPECT_EQ(form->Label14->Caption(), "Dezimaltrennung = Punkt");
}

TEST_F(MainWindowDesignTest, StatusPanelsShowTheirLongestTextsWhole) {
  TForm1& f = *form;
  // Head, file name or device path, tail; each text beside the others' short ones.
  using Parts = std::array<std::string, 3>;
  const std::vector<Parts> texts[] = {
      {{"50001", "", ""}, {"4000000000", "", ""}},
      {{"COM3 → ", "/dev/ttyUSB0", " (FTDI FT232R USB UART)"},
       {"COM5: keine Berechtigung – Benutzer zur Gruppe dialout hinzufügen", "", ""}},
      {{"Ungültige Zeilen: 1000000", "", ""}},
      {{"Aufzeichnung: ", "kurvex-20261207-101500.csv", ", 123.456 Zeilen"},
       {"Aufgezeichnet: ", "kurvex-20261207-101500-2.csv", ", 4.000.000.000 Zeilen"}}};
  const auto panels = f.StatusBar->Widget()->findChildren<QLabel*>();
  ASSERT_EQ(panels.size(), 4);
  for (std::size_t i = 0; i < std::size(texts); ++i) {
    for (const auto& [head, middle, tail] : texts[i]) {
      f.StatusBar->Panels()[static_cast<int>(i)].SetText(head, middle, tail);
      QLabel* panel = panels[static_cast<int>(i)];
      // The port watch may put its own text into panel 1 meanwhile: what
      // counts is the room for this one.
      const int needed = panel->fontMetrics().horizontalAdvance(QString::fromStdString(head + middle + tail));
      EXPECT_TRUE(WaitUntil([&] { return panel->contentsRect().width() >= needed; }))
          << head + middle + tail << " needs " << needed << " px, has " << panel->contentsRect().width();
    }
    if (i == 1) f.PortStatus().Show();
  }
  const QWidget* last = panels.back();
  EXPECT_TRUE(WaitUntil([&] { return last->geometry().right() < f.StatusBar->Widget()->width(); }));
}

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
