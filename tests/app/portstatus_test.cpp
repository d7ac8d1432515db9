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
  bool Panel1Becomes(const std::string& text) { return RunUntil([&] { return Panel1() == text; }); }
};

TEST_F(PortStatusTest, PanelFollowsThePortFieldAndAPtyBackedLinkComingAndGoing) {
  EXPECT_EQ(Panel1(), "COM5 → " + pty.SlavePath());
  QLineEdit* edit = static_cast<QComboBox*>(form->ComComboBox->Widget())->lineEdit();
  edit->selectAll();
  QKeyEvent typed(QEvent::KeyPress, Qt::Key_0, Qt::NoModifier, "0");
  QApplication::sendEvent(edit, &typed);
  EXPECT_EQ(Panel1(), "COM0: kein Gerät") << "COM0 has neither a link nor a legacy name";
  EXPECT_EQ(form->ComComboBox->Items().size(), 21u) << "the fixed items stay";
  EXPECT_TRUE(form->SerialComm1->DeviceList().Empty()) << "the window never fills the list";
  {
    PtyPair adapter;
    LinkComPort(0, adapter.SlavePath());
    EXPECT_TRUE(Panel1Becomes("COM0 → " + adapter.SlavePath())) << Panel1();
    std::filesystem::remove(ComPortLink(0));
    EXPECT_TRUE(Panel1Becomes("COM0: kein Gerät")) << Panel1();
    LinkComPort(0, adapter.SlavePath());
    EXPECT_TRUE(Panel1Becomes("COM0 → " + adapter.SlavePath())) << Panel1();
  }
  EXPECT_TRUE(Panel1Becomes("COM0: kein Gerät")) << "the link stays, the pty behind it has gone";
}

}  // namespace
}  // namespace kurvex::test
