#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <chrono>
#include <filesystem>
#include <functional>

#include "platform/comport.h"
#include "platform/dispatcher.h"
#include "tests/app/mainwindow_fixture.h"

namespace kurvex::test {
namespace {

class PortStatusTest : public MainWindowTest {
 protected:
  std::string Panel1() const { return form->StatusBar->Panels()[1].Text(); }

  // Hot-plug reports arrive through the message loop.
  static bool RunUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (!done()) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      TDispatcher::ProcessMessages();
    }
    return true;
  }
  bool Panel1Becomes(const std::string& expected) {
    return RunUntil([&] { return Panel1() == expected; });
  }

  void TypeIntoPortField(const QString& text) {
    QLineEdit* edit = static_cast<QComboBox*>(form->ComComboBox->Widget())->lineEdit();
    edit->selectAll();
    for (const QChar c : text) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(edit, &press);
    }
  }
};

TEST_F(PortStatusTest, PanelShowsWhereThePortFieldLeadsAsItIsEdited) {
  EXPECT_EQ(Panel1(), "COM5 → " + pty.SlavePath());
  TypeIntoPortField("0");
  EXPECT_EQ(Panel1(), "COM0: kein Gerät") << "COM0 has neither a link nor a legacy name";
  form->ComComboBox->SetText("5");
  EXPECT_EQ(Panel1(), "COM5 → " + pty.SlavePath());
  EXPECT_EQ(form->ComComboBox->Items().size(), 21u) << "the fixed items stay";
  EXPECT_EQ(form->StatusBar->Panels()[0].Text(), "") << "panel 0 stays the sample count's";
}

TEST_F(PortStatusTest, PluggingAndUnpluggingAPtyBackedLinkUpdatesThePanel) {
  form->ComComboBox->SetText("0");
  ASSERT_EQ(Panel1(), "COM0: kein Gerät");
  {
    PtyPair adapter;
    LinkComPort(0, adapter.SlavePath());
    EXPECT_TRUE(Panel1Becomes("COM0 → " + adapter.SlavePath())) << Panel1();
    std::filesystem::remove(ComPortLink(0));
    EXPECT_TRUE(Panel1Becomes("COM0: kein Gerät")) << Panel1();

    LinkComPort(0, adapter.SlavePath());
    EXPECT_TRUE(Panel1Becomes("COM0 → " + adapter.SlavePath())) << Panel1();
  }
  // The link stays, but the pty behind it has gone.
  EXPECT_TRUE(Panel1Becomes("COM0: kein Gerät")) << Panel1();
}

TEST_F(PortStatusTest, AcquisitionStillOpensComAndThePanelFollowsAnUnplug) {
  form->StartButton->Click();
  ASSERT_TRUE(form->SerialComm1->Active());
  EXPECT_EQ(form->SerialComm1->GetDeviceName(), "COM5");
  EXPECT_TRUE(form->SerialComm1->DeviceList().Empty()) << "the window never fills the list";
  pty.WriteMaster("1.5\r\n");
  EXPECT_TRUE(RunUntil([&] { return form->SessionState.SampleCount == 1; }));
  const std::string linked = "COM5 → " + pty.SlavePath();
  EXPECT_EQ(Panel1(), linked);

  std::filesystem::remove(ComPortLink(5));
  ASSERT_TRUE(RunUntil([&] { return Panel1() != linked; })) << "the panel follows while acquiring";
  // Without its link COM5 leads to the legacy name, whatever this machine has there.
  EXPECT_TRUE(Panel1() == "COM5: kein Gerät" || Panel1().rfind("COM5 → /dev/ttyS4", 0) == 0)
      << Panel1();
  form->StopButton->Click();
}

}  // namespace
}  // namespace kurvex::test
