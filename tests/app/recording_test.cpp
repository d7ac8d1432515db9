// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <thread>

#include "app/files/opentexts.h"
#include "app/numbertext.h"
#include "app/recording/recordingfeature.h"
#include "app/recording/recordingtexts.h"
#include "tests/app/mainwindow_fixture.h"
#include "tests/chart/render_fixture.h"
#include "tests/support/fulldisk.h"
#include "tests/support/waituntil.h"

namespace kurvex::test {
namespace {

// Values that single precision holds exactly, so the expected rows are plain.
float WireValue(int n) { return static_cast<float>(n) * 0.25f - 5000.0f; }

std::string WireLines(int first, int last) {
  std::string text;
  char line[32];
  for (int n = first; n <= last; ++n) {
    std::snprintf(line, sizeof line, "%.2f\r\n", static_cast<double>(WireValue(n)));
    text += line;
  }
  return text;
}

class RecordingTest : public MainWindowTest {
 protected:
  // Plays the instrument from another thread while the window's loop runs,
  // until the window has counted `count` samples.
  bool Stream(const std::string& lines, std::int64_t count, int timeoutMs = 60000) {
    std::thread writer([&] { pty.WriteMaster(lines); });
    const bool arrived = WaitUntil([&] { return form->SessionState.SampleCount == count; }, timeoutMs);
    writer.join();
    return arrived;
  }

  std::vector<std::filesystem::path> RecordingsInDataFolder() const {
    std::vector<std::filesystem::path> files;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(config.DataDir() / "kurvex", ignored))
      files.push_back(entry.path());
    return files;
  }

  TempFolder folder;
};

// The disk fills up: recording stops and says so once, with the path and
// the reason; the acquisition runs on.
TEST_F(RecordingTest, AFullDiskEndsTheRecordingButNotTheAcquisition) {
  const std::string path = folder.Path("voll.csv");
  dialogs.Files().Answers.push_back(path);
  dialogs.Files().FilterAnswers.push_back(1);
  form->AufzeichnungsdateiWaehlen->Click();
  ASSERT_TRUE(form->RecordCheckBox->Checked());
  const FullDisk disk(20000);
  form->StartButton->Click();
  const bool streamed = Stream(WireLines(1, 3000), 3000);
  const bool told = WaitUntil([&] { return !Messages().empty(); });
  ASSERT_TRUE(streamed);
  ASSERT_TRUE(told);
  EXPECT_TRUE(form->SerialComm1->Active());
  pty.WriteMaster(WireLines(3001, 3010));
  EXPECT_TRUE(WaitUntil([&] { return form->SessionState.SampleCount == 3010; }));
  form->StopButton->Click();

  ASSERT_EQ(Messages().size(), 1u);
  const std::string message = Messages()[0];
  EXPECT_NE(message.find("\"" + path + "\" wurde abgebrochen"), std::string::npos) << message;
  EXPECT_NE(message.find(std::strerror(ENOSPC)), std::string::npos) << message;
  EXPECT_NE(message.find("Die Erfassung läuft weiter."), std::string::npos) << message;
  EXPECT_EQ(Panel(3), "Aufzeichnung abgebrochen: " + path + ": " + std::strerror(ENOSPC));
  // What was written stays, in the chosen (Excel) dialect; that it ends at
  // a complete row is the recorder's test.
  const StrictCsv csv = ReadStrictCsv(FileText(path), ';');
  ASSERT_EQ(csv.Error, "");
  ASSERT_GT(csv.Rows.size(), 100u);
  EXPECT_LT(csv.Rows.size(), 3000u);
  EXPECT_EQ(csv.Rows[1][3], "-4999,75");
  EXPECT_NE(message.find(GroupedCount(static_cast<std::int64_t>(csv.Rows.size() - 1)) + " bis dahin"),
            std::string::npos);
}

// The recording on its own, without the window: panel 3 through a start, a
// tick and a stop, held back while an opened recording is shown.
TEST_F(QtAppTest, TheRecordingShowsItsRowsInPanel3UnlessAnOpenedRecordingHoldsIt) {
  const TempConfigHome config;
  ScopedRecordingDialogs dialogs;
  const TempFolder folder;
  TCheckBox recordBox(nullptr);
  TTimer statusTimer;
  std::string panel3;
  TRecordingFeature recording(
      recordBox, statusTimer, [&](const TRecordingStatus& s) { panel3 = s.Head + s.FileName + s.Tail; },
      [] { return true; });

  const std::string path = folder.Path("messung.csv");
  dialogs.Files().Answers.push_back(path);
  recording.ChooseFile();
  EXPECT_TRUE(recordBox.Checked());
  EXPECT_EQ(panel3, "Nächste Aufzeichnung: messung.csv");

  recording.OpenedRecordingShown("/daten/alt.csv", 1);
  EXPECT_EQ(panel3, "Geöffnet: alt.csv, 1 Sample");
  ASSERT_EQ(recording.Start(TReadTime::Now()), std::nullopt);
  EXPECT_TRUE(statusTimer.Enabled());
  EXPECT_FALSE(recordBox.Enabled());
  recording.TimerTick();
  EXPECT_EQ(panel3, "Geöffnet: alt.csv, 1 Sample");
  recording.OpenedRecordingEnds();
  EXPECT_EQ(panel3, "Aufzeichnung: messung.csv, 0 Zeilen");

  recording.Stop();
  EXPECT_FALSE(statusTimer.Enabled());
  EXPECT_TRUE(recordBox.Enabled());
  EXPECT_EQ(panel3, "Aufgezeichnet: messung.csv, 0 Zeilen");
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_TRUE(dialogs.Boxes().Calls.empty());
}

TEST(RecordingTexts, AFullQueueAndTheRowsCountedInThousands) {
  EXPECT_EQ(RecordingFailureText({TRecordingFailure::rfQueueFull, {}, 262144}),
            "Die Datei wird langsamer geschrieben, als die Samples ankommen (Puffer für 262144 Zeilen voll)");
  EXPECT_EQ(RecordingRowsStatus("Aufgezeichnet: ", "/daten/m.csv", 100000).Tail, ", 100.000 Zeilen");
}

TEST_F(RecordingTest, AChosenFileServesOneAcquisition) {
  const std::string path = folder.Path("messung.csv");
  dialogs.Files().Answers.push_back(path);
  form->AufzeichnungsdateiWaehlen->Click();
  ASSERT_EQ(dialogs.Files().Calls.size(), 1u);
  const FileDialogRequest& request = dialogs.Files().Calls[0].Request;
  EXPECT_EQ(request.DefaultExt, ".csv");
  EXPECT_TRUE(request.OverwritePrompt);
  EXPECT_EQ(request.Filter,
            "CSV (Komma, Dezimalpunkt) (*.csv)|*.csv|CSV für Excel (Semikolon, Dezimalkomma) (*.csv)|*.csv");
  EXPECT_TRUE(form->RecordCheckBox->Checked());
  EXPECT_EQ(Panel(3), "Nächste Aufzeichnung: messung.csv");

  for (int run = 0; run < 2; ++run) {
    form->StartButton->Click();
    pty.WriteMaster(WireLines(1, 3));
    ASSERT_TRUE(WaitUntil([&] { return form->SessionState.SampleCount == 3; }));
    form->StopButton->Click();
  }
  const StrictCsv chosen = ReadStrictCsv(FileText(path), ',');
  ASSERT_EQ(chosen.Error, "");
  EXPECT_EQ(chosen.Rows.size(), 4u);
  // The second acquisition went to a file of its own.
  ASSERT_EQ(RecordingsInDataFolder().size(), 1u);
  EXPECT_EQ(ReadStrictCsv(FileText(RecordingsInDataFolder()[0]), ',').Rows.size(), 4u);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(form->RecordCheckBox->AccessibleName(), "Aufzeichnen");
}

TEST_F(RecordingTest, ClosingTheWindowWhileRecordingKeepsEveryRow) {
  form->RecordCheckBox->SetChecked(true);
  form->StartButton->Click();
  ASSERT_TRUE(Stream(WireLines(1, 500), 500));
  form->Einstellungen1->Click();
  EXPECT_FALSE(form->SerialComm1->Active());
  ASSERT_EQ(RecordingsInDataFolder().size(), 1u);
  const StrictCsv csv = ReadStrictCsv(FileText(RecordingsInDataFolder()[0]), ',');
  EXPECT_EQ(csv.Error, "");
  EXPECT_EQ(csv.Rows.size(), 501u);
}

TEST_F(RecordingTest, AChosenFileThatCannotBeCreatedKeepsTheWindowIdleAndStaysChosen) {
  const std::string path = folder.Path("fehlt/messung.csv");
  dialogs.Files().Answers.push_back(path);
  form->AufzeichnungsdateiWaehlen->Click();
  form->TrendCheckBox->SetChecked(true);
  // The message's loop must not let received bytes into the idle window.
  dialogs.Boxes().WhileShown = [&] { EXPECT_FALSE(form->SerialComm1->Active()); };
  for (int start = 1; start <= 2; ++start) {
    form->StartButton->Click();
    ASSERT_EQ(Messages().size(), static_cast<std::size_t>(start));
    EXPECT_EQ(Messages().back(), "Die Aufzeichnungsdatei \"" + path + "\" konnte nicht angelegt werden.\n" +
                                     std::strerror(ENOENT));
    EXPECT_FALSE(form->SerialComm1->Active());
    EXPECT_TRUE(form->StartButton->Enabled());
    EXPECT_TRUE(form->RecordCheckBox->Enabled());
    EXPECT_TRUE(form->TrendCheckBox->Checked()) << "the view stays as the user set it";
    EXPECT_EQ(Panel(3), "Nächste Aufzeichnung: messung.csv");
  }
  EXPECT_TRUE(RecordingsInDataFolder().empty());

  // Unticking drops the choice: the next recording gets a name of its own.
  form->RecordCheckBox->SetChecked(false);
  EXPECT_EQ(Panel(3), "");
  form->RecordCheckBox->SetChecked(true);
  form->StartButton->Click();
  EXPECT_TRUE(form->SerialComm1->Active());
  form->StopButton->Click();
  EXPECT_EQ(Messages().size(), 2u);
  EXPECT_EQ(RecordingsInDataFolder().size(), 1u);
}

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
