// SPDX-License-Identifier: GPL-3.0-or-later
#include <cfloat>

#include "app/inputnotices.h"
#include "tests/app/mainwindow_fixture.h"
#include "tests/support/fakeserialdevice.h"
#include "tests/support/waituntil.h"

namespace kurvex::test {
namespace {

class IntakeTest : public MainWindowTest {
 protected:
  void Receive(const std::string& bytes) {
    form->SerialComm1AfterReceive(*form->SerialComm1,
                                  reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                  static_cast<std::uint32_t>(bytes.size()));
  }
  std::string Panel(int i) { return form->StatusBar->Panels()[i].Text(); }
};

TEST_F(IntakeTest, OneLineBecomesOneCountedShownAndPlottedSample) {
  form->StartButton->Click();
  Receive("12.5\r\n");
  EXPECT_EQ(form->SessionState.SampleCount, 1);
  EXPECT_EQ(Panel(0), "1");
  EXPECT_EQ(form->Label10->Caption(), "12,5");
  ASSERT_EQ(form->Chart1->ItemCount(), 1);
  EXPECT_EQ(form->Chart1->Item(0).Kind, ikMoveTo);
  EXPECT_EQ(form->Chart1->Item(0).X, 0);
  EXPECT_EQ(form->Chart1->Item(0).Y, 12.5);
  Receive("1\r");
  Receive("\n2\r\n");
  ASSERT_EQ(form->Chart1->ItemCount(), 3);
  EXPECT_EQ(form->Chart1->Item(2).Kind, ikDrawTo);
  EXPECT_EQ(form->Chart1->Item(2).X, 3);  // sample n lies at X = n
  EXPECT_EQ(form->Chart1->Item(2).Y, 2);
  EXPECT_EQ(Panel(2), "");
  form->StopButton->Click();
}

TEST_F(IntakeTest, ScalingEmptyLinesAndSinglePrecisionShow) {
  form->DatSkalEdit->SetText("2");
  form->DatOffsetEdit->SetText("1");
  form->StartButton->Click();
  Receive("3\r\n\r\n0.1\r\n");
  EXPECT_EQ(form->SessionState.SampleCount, 3);
  EXPECT_EQ(form->Chart1->Item(0).Y, 7);
  EXPECT_EQ(form->Chart1->Item(1).Y, 1);  // an empty line reads as 0
  EXPECT_EQ(form->Label10->Caption(), "1,20000004768372");
  EXPECT_EQ(Panel(2), "Ungültige Zeilen: 1");
  form->StopButton->Click();
}

TEST_F(IntakeTest, UnreadableLinesAreCountedAndShownInPanelTwo) {
  form->StartButton->Click();
  Receive("12,5\r\n12.5 V\r\nabc\r\n");
  EXPECT_EQ(form->Chart1->Item(0).Y, 12.5);
  EXPECT_EQ(form->Chart1->Item(1).Y, 12.5);
  EXPECT_EQ(form->Chart1->Item(2).Y, 0);
  EXPECT_EQ(Panel(2), "Ungültige Zeilen: 2");
  form->StopButton->Click();
  form->StartButton->Click();  // a new acquisition counts anew
  EXPECT_EQ(Panel(2), "");
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

TEST_F(IntakeTest, TheSample50001StopsANormalAcquisition) {
  form->StartButton->Click();
  form->SessionState.SampleCount = 49999;
  Receive("5\r\n6\r\n7\r\n");
  EXPECT_EQ(Panel(0), "50002");  // the batch's last line finds the limit passed too
  EXPECT_EQ(form->Label10->Caption(), "5");
  EXPECT_FALSE(form->SerialComm1->Active());
  EXPECT_TRUE(form->StartButton->Enabled());
  EXPECT_EQ(form->Chart1->ItemCount(), 1);
}

// The error leaves the handler for the serial component to report.
TEST_F(IntakeTest, AnOverflowingValueIsNotCountedAndTheNextLineStandsAlone) {
  form->StartButton->Click();
  EXPECT_THROW(Receive("1e39\r\n2\r\n"), EKurvexError);
  EXPECT_EQ(form->SessionState.SampleCount, 0);
  Receive("4\r\n");
  EXPECT_EQ(form->SessionState.SampleCount, 1);
  EXPECT_EQ(form->Label10->Caption(), "4");
  form->StopButton->Click();
}

TEST_F(IntakeTest, TheLargestSinglesWrittenInFullAreSamplesNotOverflows) {
  form->StartButton->Click();
  Receive("-3.40282346638529e38\r\n-3.4028234e38\r\n3.40282347e38\r\n1\r\n");
  EXPECT_EQ(form->SessionState.SampleCount, 4);
  ASSERT_EQ(form->Chart1->ItemCount(), 4);
  EXPECT_EQ(form->Chart1->Item(0).Y, -FLT_MAX);
  EXPECT_EQ(form->Chart1->Item(1).Y, -FLT_MAX);
  EXPECT_EQ(form->Chart1->Item(2).Y, FLT_MAX);
  EXPECT_EQ(form->Label10->Caption(), "1");
  form->StopButton->Click();  // redraws the huge values without harm
  EXPECT_TRUE(Messages().empty());
}

TEST_F(IntakeTest, AnIncompleteLineBeforeStopPrefixesTheNextAcquisition) {
  form->StartButton->Click();
  Receive("1");
  form->StopButton->Click();
  form->StartButton->Click();
  Receive("2\r\n");
  EXPECT_EQ(form->Chart1->Item(0).Y, 12);
  form->StopButton->Click();
}

}  // namespace
}  // namespace kurvex::test
