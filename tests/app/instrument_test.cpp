// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/app/mainwindow_fixture.h"
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

}  // namespace
}  // namespace kurvex::test
