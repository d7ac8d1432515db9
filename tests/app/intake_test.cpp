// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/notices/noticetexts.h"
#include "tests/app/mainwindow_fixture.h"
#include "tests/support/fakeserialdevice.h"
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

}  // namespace
}  // namespace kurvex::test
