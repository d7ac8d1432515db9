// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>

#include "app/files/opentexts.h"
#include "tests/app/mainwindow_fixture.h"
#include "tests/chart/render_fixture.h"
#include "tests/support/tempfolder.h"

namespace kurvex::test {
namespace {

class RecordingOpenTest : public MainWindowTest {
 protected:
  std::string Write(const std::string& text) {
    const std::string path = folder.Path("r.csv");
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  void Open(const std::string& path) {
    dialogs.Files().Answers.push_back(path);
    form->AufzeichnungOeffnen->Click();
  }

  TempFolder folder;
};

// The whole way: dialog, column choice, the recording shown whole from the
// history, the rows counted, the bad row told; the .kvx save declines.
TEST_F(RecordingOpenTest, AForeignFileOpensWithTheChosenColumnAndTellsItsBadRow) {
  Open(Write("t;U;I\r\n0;1,5;10\r\n1;2;20\r\n2;x;30\r\n3;3;-40\r\n"));
  const FileDialogCall& call = dialogs.Files().Calls.at(0);
  EXPECT_EQ(call.Request.Filter, "CSV-Dateien (*.csv)|*.csv;*.CSV|Alle Dateien (*)|*");
  EXPECT_EQ(call.Request.Title, "Aufzeichnung öffnen");
  ASSERT_EQ(dialogs.Choices().Calls.size(), 1u);
  EXPECT_EQ(dialogs.Choices().Calls[0].Items, (std::vector<std::string>{"U", "I"}));
  EXPECT_NE(form->Chart1->CurveSource(), nullptr);
  EXPECT_EQ(RangeX(), (TAxisWindow{1, 4}));
  EXPECT_EQ(form->Chart1->ScaleY(1).RangeLow(), 1.5);  // "U", the first item, with its gap
  EXPECT_EQ(Panel(0), "3");
  EXPECT_EQ(Messages(),
            (std::vector<std::string>{"Zeile 4 enthält keine Zahl; 1 Zeile wurde übersprungen, 3 geladen."}));

  form->ErfassungSpeichern->Click();
  EXPECT_EQ(dialogs.Files().Calls.size(), 1u);
  EXPECT_EQ(Messages().back(), RecordingIsNoAcquisitionText());
  // Once Clear Graph took it away, saving asks for a file as ever.
  form->ClearGraphButton->Click();
  form->ErfassungSpeichern->Click();
  EXPECT_EQ(dialogs.Files().Calls.size(), 2u);
}

// Cancelled while loading, or at the column choice: the chart keeps its items and its view.
TEST_F(RecordingOpenTest, CancelLeavesTheChartAsItWas) {
  form->Chart1->SetRange(1, 0, 0, 1000, 10);
  AddSineSamples(*form->Chart1);
  const std::size_t items = form->Chart1->ItemCount();
  const std::string path = Write("a,b\n1,2\n3,4\n");
  dialogs.Progress().Cancels.push_back(true);
  Open(path);
  dialogs.Choices().Answers.push_back(std::nullopt);
  Open(path);
  EXPECT_EQ(dialogs.Progress().Texts.size(), 1u);
  EXPECT_EQ(form->Chart1->ItemCount(), items);
  EXPECT_EQ(form->Chart1->CurveSource(), nullptr);
  EXPECT_EQ(RangeX(), (TAxisWindow{0, 1000}));
  EXPECT_TRUE(Messages().empty());
}

// While an opened file is shown, panel 3 names it, and what the recording
// commands tell waits; Clear Graph, a loaded .kvx and Start end its showing
// and the panel says what it said before, or what was told meanwhile.
TEST_F(RecordingOpenTest, PanelThreeNamesTheOpenedFileUntilItsShowingEnds) {
  const std::string graph = folder.Path("sinus.kvx");
  AddSineSamples(*form->Chart1);
  dialogs.Files().Answers.push_back(graph);
  form->ErfassungSpeichern->Click();
  dialogs.Files().Answers.push_back(folder.Path("messung.csv"));
  form->AufzeichnungsdateiWaehlen->Click();
  const std::string chosen = "Nächste Aufzeichnung: messung.csv";
  ASSERT_EQ(Panel(3), chosen);
  const std::string path = Write("t,U\n0,1\n1,2\n2,x\n");

  const std::pair<const char*, std::function<void()>> endings[] = {
      {"Clear Graph", [&] { form->ClearGraphButton->Click(); }},
      {"Erfassung laden",
       [&] {
         dialogs.Files().Answers.push_back(graph);
         form->Erfassungladen->Click();
       }},
  };
  for (const auto& [name, end] : endings) {
    SCOPED_TRACE(name);
    Open(path);
    EXPECT_EQ(Panel(3), "Geöffnet: r.csv, 2 Samples");
    end();
    EXPECT_EQ(Panel(3), chosen);
  }

  Open(path);
  form->RecordCheckBox->SetChecked(false);
  EXPECT_EQ(Panel(3), "Geöffnet: r.csv, 2 Samples");
  form->StartButton->Click();
  ASSERT_TRUE(form->SerialComm1->Active());
  EXPECT_EQ(Panel(3), "") << "no recording chosen or made";
  form->StopButton->Click();
  form->RecordCheckBox->SetChecked(true);
  form->StartButton->Click();
  form->StopButton->Click();
  const std::string recorded = Panel(3);
  EXPECT_EQ(recorded.substr(0, 22), "Aufgezeichnet: kurvex-");
  Open(path);
  form->StartButton->Click();
  EXPECT_EQ(Panel(3).substr(0, 21), "Aufzeichnung: kurvex-");
  form->StopButton->Click();
}

TEST_F(RecordingOpenTest, FilesThatCannotBeShownAreToldAndChangeNothing) {
  Open(folder.Path("missing.csv"));
  Open(Write("Name,Ort\nAnna,Bonn\n"));
  Open(Write("Nr,\"Zeit (ISO 8601, Ortszeit)\",Sekunden seit Start,Rohwert,Wert (skaliert)\r\n1,gestern,0,1,1\r\n"));
  const std::vector<std::string> messages = Messages();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[0],
            "Die Datei \"" + folder.Path("missing.csv") + "\" konnte nicht gelesen werden.\nNo such file or directory");
  EXPECT_EQ(messages[1], NoNumbersText(folder.Path("r.csv")));
  EXPECT_EQ(messages[2], "Zeile 2 enthält keine gültige Zeit; 1 Zeile wurde übersprungen, keine geladen.");
  EXPECT_EQ(form->Chart1->CurveSource(), nullptr);
}

using SampleNumberAxisTest = MainWindowTest;

// A recording of three rows opens whole, X 1 .. 3: its axis ticks only
// whole sample numbers, so no label repeats.
TEST_F(SampleNumberAxisTest, AThreeRowRecordingTicksEachSampleOnce) {
  TempFolder folder;
  const std::string path = folder.Path("drei.csv");
  std::ofstream(path, std::ios::binary) << "t;U\r\n0;1\r\n1;2\r\n2;3\r\n";
  dialogs.Files().Answers.push_back(path);
  form->AufzeichnungOeffnen->Click();
  ASSERT_EQ(RangeX(), (TAxisWindow{1, 3}));
  TChartControl& chart = *form->Chart1;
  chart.ControlBitmap();  // paints the scales
  const TScale& x = chart.PainterX(1);
  ASSERT_GT(x.NumTicks(), 0);
  for (int i = 1; i <= x.NumTicks(); ++i) EXPECT_EQ(x.TickPosition(i), std::round(x.TickPosition(i))) << i;
  EXPECT_EQ(x.NumTicks(), 3);
}

}  // namespace
}  // namespace kurvex::test
