// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <fstream>
#include <thread>

#include "app/notices/inputnoticepanel.h"
#include "app/notices/noticetexts.h"
#include "intake/lineassembler.h"
#include "platform/system/dispatcher.h"
#include "platform/windows/form.h"
#include "tests/app/mainwindow_fixture.h"
#include "tests/support/fakeserialdevice.h"
#include "tests/support/strictcsv.h"
#include "tests/support/waituntil.h"

namespace kurvex::test {
namespace {

using IntakeTest = MainWindowTest;

// What each kind of line reads as, and the bad-line count, are the bad
// values' test; here the scaling fields reach the samples.
TEST_F(IntakeTest, TheScalingFieldsScaleEachValue) {
  form->DatSkalEdit->SetText("2");
  form->DatOffsetEdit->SetText("1");
  form->StartButton->Click();
  Receive("3\r\n");
  EXPECT_EQ(form->Chart1->Item(0).Y, 7);
  form->StopButton->Click();
}

TEST_F(IntakeTest, BytesTheDriverDroppedAreShownBesideTheBadLines) {
  FakeSerialDevice* fake = nullptr;
  form->SerialComm1->HandOverDevice(OpenFakeDevice(pty.SlavePath(), fake));
  form->StartButton->Click();
  ASSERT_TRUE(form->SerialComm1->Active());
  pty.WriteMaster("abc\r\n");
  ASSERT_TRUE(WaitUntil([&] { return form->SessionState.SampleCount == 1; }));
  // Within the first ten samples the error itself is let pass: the loss is still shown.
  LineCounters lost{};
  lost.Overrun = 1;
  lost.BufferOverrun = 2;
  fake->Advance(lost);
  pty.WriteMaster("1\r\n");
  ASSERT_TRUE(WaitUntil([&] { return form->SessionState.SampleCount == 2; }));
  EXPECT_EQ(Panel(2), "Ungültige Zeilen: 1 · Daten verloren: 3 Überläufe");
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(form->SerialComm1->Active());
  form->StopButton->Click();
}

TEST(InputNotices, OnlyWhatAppliesJoinedInOneLine) {
  EXPECT_EQ(InputNoticeText({}), "");
  EXPECT_EQ(InputNoticeText({2, false, 0, 0, ""}), "Ungültige Zeilen: 2");
  EXPECT_EQ(InputNoticeText({0, true, 1, 0, ""}), "Eingang überlastet · Daten verloren: 1 Überlauf");
  EXPECT_EQ(InputNoticeText({1, false, 0, 2, "7O1"}),
            "Ungültige Zeilen: 1 · Übertragungsfehler: 2 · Viele Bytes mit Bit 7 – Datenformat 7O1?");
}

class InputNoticePanelTest : public QtAppTest {
 protected:
  TForm form;
  TStatusBar bar{&form};
  TStatusPanel& panel = bar.Panels().Add(100);
  TIntakeState intake;
  TSerialComm port;
  TInputNoticePanel notices{intake, port, panel};
};

TEST_F(InputNoticePanelTest, ALineWithAReceiveErrorIsCountedNotTakenAndTheMarkOutlivesARestart) {
  notices.StartAcquisition();
  EXPECT_TRUE(notices.LineMayBeTaken());
  notices.ReceiveError();
  EXPECT_FALSE(notices.LineMayBeTaken());
  EXPECT_TRUE(notices.LineMayBeTaken()) << "only the line the error came in";
  EXPECT_EQ(panel.Text(), "Übertragungsfehler: 1");

  // Stop and Start in the middle of a line: its rest still comes with it.
  notices.ReceiveError();
  notices.StartAcquisition();
  EXPECT_EQ(panel.Text(), "");
  EXPECT_FALSE(notices.LineMayBeTaken());
  EXPECT_EQ(notices.TransmissionErrors(), 1);
}

TEST_F(InputNoticePanelTest, MissingLineEndsShowAndGoOnceTheBatchIsTaken) {
  notices.StartAcquisition();
  intake.NoLineEnd = true;
  notices.BatchTaken();
  EXPECT_EQ(panel.Text(), "Keine Zeilenenden – Baudrate und Datenformat prüfen");
  intake.NoLineEnd = false;
  notices.BatchTaken();
  EXPECT_EQ(panel.Text(), "");
}

class EndToEndTest : public MainWindowTest {
 protected:
  static std::string Lines(int first, int last) {
    std::string text;
    char line[32];
    for (int i = first; i <= last; ++i) {
      std::snprintf(line, sizeof line, "%.3f\r\n", i * 0.5);
      text += line;
    }
    return text;
  }
};

TEST_F(EndToEndTest, TheSampleLimitStopsFromInsideTheDelivery) {
  form->StartButton->Click();
  form->SessionState.SampleCount = 49990;
  pty.WriteMaster(Lines(1, 30));
  ASSERT_TRUE(WaitUntil([&] { return !form->SerialComm1->Active(); }));
  WaitUntil([] { return false; }, 100);  // nothing more may arrive or crash
  EXPECT_GE(form->SessionState.SampleCount, 50001);
  EXPECT_TRUE(form->StartButton->Enabled());
  EXPECT_TRUE(Messages().empty());
}

// Threads of this process but for Qt's pool, which starts and retires its
// workers by itself.
int ThreadCount() {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/task")) {
    std::ifstream comm(entry.path() / "comm");
    std::string name;
    std::getline(comm, name);
    if (name != "Thread (pooled)") ++count;
  }
  return count;
}

class StopStartIntakeTest : public MainWindowTest {
 protected:
  ~StopStartIntakeTest() override {
    feeding = false;
    if (feeder.joinable()) feeder.join();
  }

  // The instrument at full speed: lines as fast as the pty takes them.
  void FeedAtFullSpeed() {
    feeder = std::thread([this] {
      std::string block;
      for (int i = 0; i < 1000; ++i) block += "12.5\r\n";
      pty.FloodMaster(block, feeding);
    });
  }

  // Trend: runs until stopped, so every pair meets a running acquisition.
  void StartTrend() {
    form->TrendCheckBox->SetChecked(true);
    form->StartButton->Click();
  }
  bool Acquiring() { return form->SerialComm1->Active() && form->SessionState.SampleCount > 0; }

  std::atomic<bool> feeding{true};
  std::thread feeder;
};

TEST_F(StopStartIntakeTest, StopAndStartDuringFullSpeedIntakeLeaveNoThreadsBehind) {
  FeedAtFullSpeed();
  StartTrend();
  ASSERT_TRUE(WaitUntil([&] { return Acquiring(); }));
  const int threads = ThreadCount();

  for (int pair = 0; pair < 50; ++pair) {
    // Clicks queue up behind the deliveries, as the user's do.
    bool handled = false;
    TDispatcher::Post([&] {
      form->StopButton->Click();
      StartTrend();
      handled = true;
    });
    ASSERT_TRUE(WaitUntil([&] { return handled && Acquiring(); }, 20000)) << "pair " << pair;
    EXPECT_EQ(ThreadCount(), threads) << "pair " << pair;
  }
  feeding = false;
  form->StopButton->Click();
}

// What waited in the port since Stop is old; a line begun before Stop is
// finished by the next acquisition's first bytes.
TEST_F(StopStartIntakeTest, ANewAcquisitionStartsWithWhatComesAfterItsStart) {
  form->StartButton->Click();
  pty.WriteMaster("1\r\n5");
  ASSERT_TRUE(WaitUntil([&] { return form->Intake().PendingLine() == "5"; }));
  form->StopButton->Click();
  pty.WriteMaster("2\r\n3\r\n");
  ASSERT_TRUE(WaitUntil([&] { return pty.SlaveInputQueued() == 6; }));

  form->StartButton->Click();
  pty.WriteMaster("7\r\n");
  ASSERT_TRUE(WaitUntil([&] { return form->SessionState.SampleCount == 1; }));
  EXPECT_EQ(form->SessionState.RawValue, 57.0f);
  form->StopButton->Click();
}

using BadValuesTest = MainWindowTest;

struct BadValueCase {
  std::string Line;
  std::optional<float> Value;  // none: the line is a gap
  const char* Label10;         // what the value label shows after the line
  bool CountedBad;
};

std::filesystem::path OnlyFileIn(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) files.push_back(entry.path());
  return files.size() == 1 ? files[0] : std::filesystem::path();
}

// Each line follows a good "5": what the chart, Label10, the bad-line count
// and the recording make of it, in one acquisition that never stops for it.
// One line of each way the window treats a line; what each kind of text
// reads as is the number reader's test.
TEST_F(BadValuesTest, EachLineIsOneSampleAndWhatCannotBeReadIsAGap) {
  const std::vector<BadValueCase> cases{
      {"1e39", {}, "5", true},            // beyond single precision
      {"12,5 V", 12.5f, "12,5", false},   // a decimal comma and a unit
      {"abc", {}, "5", true},             // no number at all
      {"", 0.0f, "0", true},              // the empty line is 0, as ever
      {"1.2.3", 1.2f, "1,20000004768372", true},
      {std::string(70, 'Z') + ":5", {}, "5", true},              // a name too long
      {std::string(kMaxPendingLine + 10, 'x'), {}, "5", true},  // a line too long
  };
  form->RecordCheckBox->SetChecked(true);
  form->StartButton->Click();
  int bad = 0;
  for (const BadValueCase& c : cases) {
    Receive("5\r\n");
    Receive(c.Line + "\r\n");
    bad += c.CountedBad;
    EXPECT_EQ(form->Label10->Caption(), c.Label10) << c.Line;
    EXPECT_EQ(Panel(2), bad ? "Ungültige Zeilen: " + std::to_string(bad) : "") << c.Line;
  }
  Receive("5\r\n");
  EXPECT_TRUE(form->SerialComm1->Active());
  EXPECT_TRUE(Messages().empty());
  const std::int64_t samples = 2 * static_cast<std::int64_t>(cases.size()) + 1;
  EXPECT_EQ(form->SessionState.SampleCount, samples);
  form->StopButton->Click();

  // Normal: sample n at X = n; after a gap the curve starts anew.
  std::vector<const TChartItem*> atX(static_cast<std::size_t>(samples) + 1);
  for (int i = 0; i < form->Chart1->ItemCount(); ++i) {
    const TChartItem& item = form->Chart1->Item(i);
    if (item.X >= 2) atX[static_cast<std::size_t>(item.X)] = &item;
  }
  const StrictCsv csv = ReadStrictCsv(FileText(OnlyFileIn(config.DataDir() / "kurvex")), ',');
  ASSERT_EQ(csv.Error, "");
  ASSERT_EQ(csv.Rows.size(), static_cast<std::size_t>(samples) + 1);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const BadValueCase& c = cases[i];
    const std::size_t n = 2 * i + 2;
    const std::vector<std::string>& row = csv.Rows[n];
    EXPECT_EQ(row[0], std::to_string(n)) << c.Line;
    if (c.Value) {
      ASSERT_NE(atX[n], nullptr) << c.Line;
      EXPECT_EQ(atX[n]->Y, *c.Value) << c.Line;
      EXPECT_EQ(StrictFloat(row[3], '.'), *c.Value) << c.Line;
      EXPECT_EQ(StrictFloat(row[4], '.'), *c.Value) << c.Line;
    } else {
      EXPECT_EQ(atX[n], nullptr) << c.Line;
      EXPECT_EQ(atX[n + 1]->Kind, ikMoveTo) << c.Line;
      EXPECT_EQ(row[3] + row[4], "") << c.Line;
    }
  }
}

}  // namespace
}  // namespace kurvex::test
