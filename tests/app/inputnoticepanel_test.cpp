// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/notices/inputnoticepanel.h"

#include "platform/windows/form.h"
#include "tests/support/qtapp.h"

namespace kurvex::test {
namespace {

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

}  // namespace
}  // namespace kurvex::test
