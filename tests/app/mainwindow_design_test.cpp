// SPDX-License-Identifier: GPL-3.0-or-later
#include <QGuiApplication>
#include <QIcon>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

#include <algorithm>
#include <array>

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

}  // namespace
}  // namespace kurvex::test
