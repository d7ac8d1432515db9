// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <fstream>
#include <string>

#include <QAbstractItemView>
#include <QTest>

#include "app/commandline.h"
#include "app/instrument/monitorwindow.h"
#include "tests/app/mainwindow_fixture.h"
#include "tests/support/recordingclipboard.h"
#include "tests/support/tempfolder.h"
#include "tests/support/waituntil.h"

namespace kurvex::test {
namespace {

// The window with what it sends set by a setup, and the test as the
// instrument on the pty's other end.
class InstrumentTest : public MainWindowTest {
 protected:
  void OpenSending(const std::string& sending) {
    const std::filesystem::path path = folder.Path("geraet.kxs");
    std::ofstream(path) << "{\"Kurvex-Setup\": 1, \"sending\": {" << sending << "}}";
    ASSERT_TRUE(form->OpenSetupFile(path.string()));
  }
  /// What the window has sent so far that the test has not read.
  std::string Sent() {
    received += pty.ReadMaster(65536, 5);
    return received;
  }
  /// Waits until what was sent holds `count` times `text`.
  bool SentTimes(const std::string& text, std::size_t count) {
    return WaitUntil([&] {
      std::size_t found = 0;
      for (std::size_t at = Sent().find(text); at != std::string::npos; at = received.find(text, at + 1)) ++found;
      return found >= count;
    });
  }
  std::size_t Count(const std::string& text) {
    std::size_t found = 0;
    for (std::size_t at = Sent().find(text); at != std::string::npos; at = received.find(text, at + 1)) ++found;
    return found;
  }

  TempFolder folder;
  std::string received;
};

TEST_F(InstrumentTest, WithoutACommandNothingIsEverSent) {
  form->StartButton->Click();
  std::string lines;
  for (int i = 0; i < 1000; ++i) lines += std::to_string(i % 100) + "\r\n";
  // In blocks the window takes in turn: the test writes on the window's thread.
  for (int block = 1; block <= 10; ++block) {
    pty.WriteMaster(lines);
    ASSERT_TRUE(WaitUntil([&] { return form->SessionState.SampleCount == block * 1000; }));
  }
  form->StopButton->Click();
  EXPECT_EQ(Sent(), "");
}

TEST_F(InstrumentTest, TheStartAndStopCommandsGoOutInOrderWithTheirEscapes) {
  OpenSending(R"("atStart": "*RST;:CONF:VOLT:DC 10\\x21", "atStop": "SYST:LOC", "lineEnd": "LF")");
  form->StartButton->Click();
  ASSERT_TRUE(SentTimes("\n", 1));
  form->StopButton->Click();
  EXPECT_EQ(Sent(), "*RST;:CONF:VOLT:DC 10!\nSYST:LOC\n");
}

TEST_F(InstrumentTest, AQueryWaitsForItsAnswerAndEachAnswerIsASample) {
  OpenSending(R"("query": "MEAS?", "intervalMs": 20)");
  form->StartButton->Click();
  for (int answer = 1; answer <= 3; ++answer) {
    ASSERT_TRUE(SentTimes("MEAS?\r\n", answer));
    RunEventsFor(100);  // five intervals without an answer
    EXPECT_EQ(Count("MEAS?\r\n"), static_cast<std::size_t>(answer)) << "no second query before the answer";
    pty.WriteMaster(std::to_string(answer) + ".5\r\n");
  }
  ASSERT_TRUE(SentTimes("MEAS?\r\n", 4));
  EXPECT_EQ(form->SessionState.SampleCount, 3);
  EXPECT_EQ(form->SessionState.ScaledValue, 3.5f);
  EXPECT_EQ(Panel(2), "");
}

TEST_F(InstrumentTest, ASilentInstrumentCountsMissingAnswersWithoutAPileOfQueries) {
  OpenSending(R"("query": "READ?", "intervalMs": 10, "timeoutMs": 50, "lineEnd": "CR")");
  form->StartButton->Click();
  ASSERT_TRUE(WaitUntil([&] { return Panel(2) == "Ohne Antwort: 3"; })) << Panel(2);
  EXPECT_EQ(Count("READ?\r"), 4u) << "one query per timeout";
  form->StopButton->Click();
  form->StartButton->Click();
  EXPECT_EQ(Panel(2), "") << "a new acquisition counts anew";
}

TEST_F(InstrumentTest, TheCommandLineSetsTheStartCommandAndTheQuery) {
  form->ApplyCommandLine(TCommandLine{.SendAtStart = "*IDN?", .Query = "MEAS?", .IntervalMs = 20, .Start = true});
  ASSERT_TRUE(SentTimes("MEAS?\r\n", 1));
  pty.WriteMaster("1.5\r\n");
  ASSERT_TRUE(SentTimes("MEAS?\r\n", 2));
  EXPECT_EQ(Sent(), "*IDN?\r\nMEAS?\r\nMEAS?\r\n");
}

// The monitor opened from the menu, with the test typing into its field.
class MonitorTest : public InstrumentTest {
 protected:
  MonitorTest() {
    form->MonitorOeffnen->Click();
    monitor = form->Monitor();
  }
  void Type(const std::string& command, int key = Qt::Key_Return) {
    monitor->CommandEdit->SetText(command);
    QTest::keyClick(monitor->CommandEdit->Widget(), static_cast<Qt::Key>(key));
  }
  /// The table's rows as "line | outcome", once a frame has shown them.
  std::vector<std::string> Rows() {
    EXPECT_TRUE(WaitUntil([&] { return monitor->TableUpToDate(); }));
    const QAbstractItemModel* model = static_cast<QAbstractItemView*>(monitor->LineTable->Widget())->model();
    std::vector<std::string> rows;
    for (int row = 0; row < model->rowCount(); ++row)
      rows.push_back(model->index(row, 1).data().toString().toStdString() + " | " +
                     model->index(row, 2).data().toString().toStdString());
    return rows;
  }

  TMonitorWindow* monitor = nullptr;
};

TEST_F(MonitorTest, SentCommandsStandBetweenTheLinesWithWhatEachBecame) {
  EXPECT_FALSE(monitor->CommandEdit->Enabled());
  EXPECT_EQ(monitor->CommandEdit->PlaceholderText(), "Senden ist möglich, solange erfasst wird (nach Start).");
  form->StartButton->Click();
  ASSERT_TRUE(monitor->CommandEdit->Enabled());
  Type("MEAS?");
  ASSERT_TRUE(SentTimes("MEAS?\r\n", 1));
  EXPECT_EQ(monitor->CommandEdit->Text(), "");
  pty.WriteMaster("12.5\r\nabc\r\nTemp: 1;Druck: 2.5\r\n\a7\r\n");
  ASSERT_TRUE(WaitUntil([&] { return form->SessionState.SampleCount == 4; }));
  EXPECT_EQ(Rows(), (std::vector<std::string>{"→ MEAS?␍␊ | gesendet", "12.5␍␊ | 12,5", "abc␍␊ | keine Zahl",
                                              "Temp: 1;Druck: 2.5␍␊ | Temp = 1; Druck = 2,5",
                                              "\\x077␍␊ | 7"}));
}

TEST_F(MonitorTest, ARefusedCommandSendsNothingAndEarlierCommandsComeBackWithTheArrowKeys) {
  form->StartButton->Click();
  Type("*IDN?");
  Type("SYST:REM");
  Type("BAD\\q");
  EXPECT_EQ(monitor->MessageLabel->Caption(),
            "Der Befehl \"BAD\\q\" enthält die ungültige Escape-Folge \\q; er wird nicht gesendet.");
  EXPECT_EQ(monitor->CommandEdit->Text(), "BAD\\q") << "kept to be mended";
  ASSERT_TRUE(SentTimes("SYST:REM\r\n", 1));
  EXPECT_EQ(Sent(), "*IDN?\r\nSYST:REM\r\n");
  monitor->CommandEdit->SetText("");
  Type("", Qt::Key_Up);
  EXPECT_EQ(monitor->CommandEdit->Text(), "SYST:REM");
  Type("SYST:REM", Qt::Key_Up);
  Type("*IDN?", Qt::Key_Up);
  EXPECT_EQ(monitor->CommandEdit->Text(), "*IDN?") << "the oldest stays";
  Type("*IDN?", Qt::Key_Down);
  Type("SYST:REM", Qt::Key_Down);
  EXPECT_EQ(monitor->CommandEdit->Text(), "");
  monitor->LineEndComboBox->SetText("LF");
  Type("X\\x21");
  ASSERT_TRUE(SentTimes("X!\n", 1));
}

TEST_F(MonitorTest, KeepsTheNewestThousandLinesAndNothingWhileClosedOrHeld) {
  form->StartButton->Click();
  std::string lines;
  for (int i = 1; i <= 1500; ++i) lines += std::to_string(i) + "\r\n";
  pty.WriteMaster(lines);
  ASSERT_TRUE(WaitUntil([&] { return form->SessionState.SampleCount == 1500; }));
  std::vector<std::string> rows = Rows();
  ASSERT_EQ(rows.size(), 1000u);
  EXPECT_EQ(rows.front(), "501␍␊ | 501");
  EXPECT_EQ(rows.back(), "1500␍␊ | 1500");

  monitor->PauseCheckBox->SetChecked(true);
  monitor->PauseCheckBox->Widget()->setFocus();
  pty.WriteMaster("1501\r\n");
  ASSERT_TRUE(WaitUntil([&] { return form->SessionState.SampleCount == 1501; }));
  EXPECT_EQ(Rows().back(), "1500␍␊ | 1500") << "held";

  RecordingClipboard clipboard;
  monitor->LineTable->Widget()->setFocus();
  monitor->CopyButton->Click();
  EXPECT_EQ(std::count(clipboard.Text().begin(), clipboard.Text().end(), '\n'), 1000);
  EXPECT_NE(clipboard.Text().find("\t1500␍␊\t1500\n"), std::string::npos);

  monitor->ClearButton->Click();
  EXPECT_TRUE(Rows().empty());
  monitor->Close();
  pty.WriteMaster("1502\r\n");
  ASSERT_TRUE(WaitUntil([&] { return form->SessionState.SampleCount == 1502; }));
  form->MonitorOeffnen->Click();
  EXPECT_TRUE(Rows().empty()) << "nothing recorded while closed";
}

TEST_F(MonitorTest, ALineThatTakesNothingShowsSendingHangsAndRefusesBeyondItsQueue) {
  form->StartButton->Click();
  // Nobody reads the pty: it fills, then the queue up to its limit.
  const std::string block(4000, 'x');
  int sent = 0;
  for (; sent < 100 && monitor->MessageLabel->Caption().empty(); ++sent) Type(block);
  EXPECT_LT(sent, 100);
  EXPECT_NE(monitor->MessageLabel->Caption().find("KiB warten schon"), std::string::npos)
      << monitor->MessageLabel->Caption();
  ASSERT_TRUE(WaitUntil([&] { return Panel(2) == "Senden hängt"; })) << Panel(2);
  EXPECT_EQ(monitor->MessageLabel->Caption(), "Senden hängt");
  // The instrument reads again: the stall ends.
  Sent();
  ASSERT_TRUE(WaitUntil([&] { return Sent().size() >= static_cast<std::size_t>(sent - 1) * 4002 && Panel(2).empty(); }))
      << Panel(2);
  EXPECT_EQ(monitor->MessageLabel->Caption(), "");
}

}  // namespace
}  // namespace kurvex::test
