// SPDX-License-Identifier: GPL-3.0-or-later
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>

#include <algorithm>
#include <array>

#include "app/numbertext.h"
#include "tests/app/mainwindow_fixture.h"
#include "tests/support/waituntil.h"

namespace kurvex::test {
namespace {

using MainWindowDesignTest = MainWindowTest;

TEST_F(MainWindowDesignTest, WindowAndTopBarHaveTheirDesign) {
  TForm1& f = *form;
  EXPECT_EQ(f.Caption(), "  K u r v e x");
  EXPECT_EQ(f.Width(), 900);
  EXPECT_EQ(f.Height(), 575);
  EXPECT_EQ(f.StartButton->Caption(), " Start");
  EXPECT_EQ(f.StopButton->Caption(), " Stop");
  EXPECT_EQ(f.ClearGraphButton->Caption(), " Clear Graph");
  EXPECT_EQ(f.ResetAxisButton->Caption(), "Reset Axis");
  EXPECT_EQ(f.StartButton->Width(), 115);
  EXPECT_TRUE(f.StartButton->Enabled());
  EXPECT_FALSE(f.StopButton->Enabled());
  EXPECT_TRUE(f.ClearGraphButton->Enabled());
  EXPECT_TRUE(f.ResetAxisButton->Enabled());
  EXPECT_FALSE(f.CircularProgress->Enabled());
  EXPECT_EQ(f.CircularProgress->Width(), 32);
  EXPECT_EQ(f.CircularProgress->Interval(), 50u);
  EXPECT_EQ(f.Label11->Caption(), "Normal: max. 2000 Samples/s , max 50.000 Samples");
  EXPECT_EQ(f.Label15->Caption(), "Trend: max. 200 Samples/s  beliebig lange");
  EXPECT_EQ(f.Datei1->Caption(), "&Datei");
  ASSERT_EQ(f.Datei1->Count(), 7);
  EXPECT_EQ(f.Datei1->Items(0).Caption(), "&Grafik speichern als Bitmap (.bmp)");
  EXPECT_EQ(f.Datei1->Items(6).Caption(), "&Beenden");
  EXPECT_EQ(f.Info1->Caption(), "&Info");
}

TEST_F(MainWindowDesignTest, PortSettingsOfferTheirItems) {
  TForm1& f = *form;
  EXPECT_EQ(f.GroupBox1->Caption(), "  Schnittstelle  ");
  // The numbers 0 … 20, each once, the present ports (COM5 here) named.
  const std::vector<std::string> items = f.ComComboBox->Items();
  std::vector<std::int64_t> numbers;
  for (const std::string& item : items) numbers.push_back(LeadingInteger(item));
  std::sort(numbers.begin(), numbers.end());
  ASSERT_EQ(numbers.size(), 21u);
  for (int n = 0; n <= 20; ++n) EXPECT_EQ(numbers[n], n);
  EXPECT_NE(std::find(items.begin(), items.end(), "5 – " + pty.SlavePath()), items.end());
  EXPECT_EQ(f.ComComboBox->Text(), "5");
  EXPECT_EQ(f.ComComboBox->DropDownCount(), 16);
  const std::vector<std::string> bauds = {"110",   "300",   "600",    "1200",   "2400",
                                          "4800",  "9600",  "14400",  "19200",  "38400",
                                          "56000", "57600", "115200", "128000", "256000"};
  EXPECT_EQ(f.BaudComboBox->Items(), bauds);
  EXPECT_EQ(f.BaudComboBox->Text(), "115200");
  EXPECT_EQ(f.Label3->Caption(), "Databits = 8");
  EXPECT_EQ(f.Label4->Caption(), "Stopbits = 1");
  EXPECT_EQ(f.Label5->Caption(), "Flowcontrol = none");
}

TEST_F(MainWindowDesignTest, FieldsStartAtTheirDesignValuesInTheLocalesForm) {
  TForm1& f = *form;
  EXPECT_EQ(f.GroupBox2->Caption(), "  Graph Parameter ");
  EXPECT_EQ(f.DatSkalEdit->Text(), "1,000000000");
  EXPECT_EQ(f.DatOffsetEdit->Text(), "0,000000000");
  EXPECT_EQ(f.GraphXmaxEdit->Text(), "1000");
  EXPECT_EQ(f.GraphYmaxEdit->Text(), "10,000000000");
  EXPECT_EQ(f.GraphYminEdit->Text(), "0,000000000");
  EXPECT_EQ(f.Label14->Caption(), "Dezimaltrennung = Komma");
  // The fields belong to the window, not to the group box.
  f.GroupBox2->SetEnabled(false);
  EXPECT_TRUE(f.DatSkalEdit->Widget()->isEnabled());
}

TEST_F(MainWindowDesignTest, ViewControlsChartAndStatusBarStartIdle) {
  TForm1& f = *form;
  EXPECT_TRUE(f.NormalRadioButton->Checked());
  EXPECT_FALSE(f.ZoomRadioButton->Checked());
  EXPECT_TRUE(f.ShowGridCheckBox->Checked());
  EXPECT_FALSE(f.DoubleTicsCheckBox->Checked());
  EXPECT_FALSE(f.LogCheckBox->Checked());
  EXPECT_FALSE(f.TrendCheckBox->Checked());
  EXPECT_EQ(f.ShowGridCheckBox->Caption(), " Show Grid");
  EXPECT_EQ(f.LogCheckBox->Caption(), "Y  Log");
  EXPECT_EQ(f.Label10->Caption(), "");
  EXPECT_EQ(f.Label13->Caption(), "Aktueller Sample-Wert\nnach Skalierung und Offset");

  ASSERT_EQ(f.StatusBar->Panels().Count(), 4);

  TChartControl& c = *f.Chart1;
  EXPECT_EQ(c.Left(), 232);
  EXPECT_EQ(c.Width(), 657);
  EXPECT_EQ(c.Height(), 371);
  EXPECT_EQ(c.AllocSize(), 800000);
  EXPECT_EQ(c.LRim(), 70);
  EXPECT_EQ(c.BRim(), 40);
  EXPECT_EQ(c.GridStyle(), gsLines);
  EXPECT_EQ(c.GridColor(), clSilver);
  EXPECT_EQ(c.MouseAction(), maPan);
  EXPECT_EQ(c.Scale1X().RangeHigh(), 100);
  EXPECT_EQ(c.Scale1Y().RangeLow(), 1);
  EXPECT_EQ(c.Scale1Y().RangeHigh(), 200);
  EXPECT_EQ(c.Scale1X().DecPlaces(), 0);
  EXPECT_FALSE(c.Scale2X().Visible());

  TSerialComm& s = *f.SerialComm1;
  EXPECT_FALSE(s.Active());
  EXPECT_EQ(s.BaudRate(), 115200u);
  EXPECT_EQ(s.ComPortNo(), 5);
  EXPECT_EQ(s.StreamProtocol(), spNone);
  EXPECT_EQ(s.BufferInSize(), 16384);
  EXPECT_TRUE(s.UseMainThread());
}

TEST_F(MainWindowDesignTest, ControlsCarryTheirDesignNamesAndAccessibleNames) {
  TForm1& f = *form;
  EXPECT_EQ(f.StartButton->Name(), "StartButton");
  EXPECT_EQ(f.Label10->Name(), "Label10");
  EXPECT_EQ(f.DatSkalEdit->Name(), "DatSkalEdit");
  EXPECT_EQ(f.DatSkalEdit->AccessibleName(), "Roh-Daten Skalierungsfaktor");
  EXPECT_EQ(f.GraphYminEdit->AccessibleName(), "Graph Y min");
  EXPECT_EQ(f.StartButton->AccessibleName(), "Start");
  EXPECT_EQ(f.ComComboBox->AccessibleName(), "Com Port");
  EXPECT_EQ(f.Chart1->Name(), "Chart1");
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
    if (i == 1) f.ShowPortStatus();
  }
  const QWidget* last = panels.back();
  EXPECT_TRUE(WaitUntil([&] { return last->geometry().right() < f.StatusBar->Widget()->width(); }));
}

}  // namespace
}  // namespace kurvex::test
