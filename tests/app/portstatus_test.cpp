// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "ports/comport.h"
#include "tests/app/mainwindow_fixture.h"
#include "tests/support/waituntil.h"

namespace kurvex::test {
namespace {

class PortStatusTest : public MainWindowTest {
 protected:
  bool Panel1Becomes(const std::string& text) { return WaitUntil([&] { return Panel(1) == text; }); }
  void StartOn(const std::string& port) {
    form->ComComboBox->SetText(port);
    MouseClick(form->StartButton->Widget());  // as the user does: the error is reported
  }
  /// Both messages of a failed open, and the window idle again.
  void ExpectOpenFailed() {
    EXPECT_EQ(Messages().size(), 2u);
    dialogs.Boxes().Calls.clear();
    EXPECT_TRUE(form->StartButton->Enabled());
    EXPECT_FALSE(form->SerialComm1->Active());
  }
};

/// A second program that holds a port open and locked, as a terminal
/// program does: `sleep`, which inherits the port.
class PortHoldingProcess {
 public:
  explicit PortHoldingProcess(const std::string& path) {
    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0) return;
    m_pid = fork();
    if (m_pid == 0) {
      const int fd = open(path.c_str(), O_RDWR | O_NOCTTY);
      if (fd >= 0 && flock(fd, LOCK_EX) == 0) execl("/bin/sleep", "sleep", "60", nullptr);
      _exit(1);
    }
    close(ready[1]);
    // The pipe closes when the child has gone over to sleep (or failed).
    char byte;
    while (read(ready[0], &byte, 1) > 0) {
    }
    close(ready[0]);
  }
  ~PortHoldingProcess() {
    if (m_pid <= 0) return;
    kill(m_pid, SIGKILL);
    waitpid(m_pid, nullptr, 0);
  }
  PortHoldingProcess(const PortHoldingProcess&) = delete;
  PortHoldingProcess& operator=(const PortHoldingProcess&) = delete;
  pid_t Pid() const { return m_pid; }

 private:
  pid_t m_pid = -1;
};

TEST_F(PortStatusTest, PanelFollowsThePortFieldAndAPtyBackedLinkComingAndGoing) {
  EXPECT_EQ(Panel(1), "COM5 → " + pty.SlavePath());
  QLineEdit* edit = static_cast<QComboBox*>(form->ComComboBox->Widget())->lineEdit();
  edit->selectAll();
  QKeyEvent typed(QEvent::KeyPress, Qt::Key_0, Qt::NoModifier, "0");
  QApplication::sendEvent(edit, &typed);
  EXPECT_EQ(Panel(1), "COM0: kein Gerät") << "COM0 has neither a link nor a legacy name";
  {
    PtyPair adapter;
    LinkComPort(0, adapter.SlavePath());
    EXPECT_TRUE(Panel1Becomes("COM0 → " + adapter.SlavePath())) << Panel(1);
    std::filesystem::remove(ComPortLink(0));
    EXPECT_TRUE(Panel1Becomes("COM0: kein Gerät")) << Panel(1);
    LinkComPort(0, adapter.SlavePath());
    EXPECT_TRUE(Panel1Becomes("COM0 → " + adapter.SlavePath())) << Panel(1);
  }
  EXPECT_TRUE(Panel1Becomes("COM0: kein Gerät")) << "the link stays, the pty behind it has gone";
}

TEST_F(PortStatusTest, AnOpenFailureSaysWhyInPanel1) {
  LinkComPort(7, "/dev/ttyUSB-gone");
  StartOn("7");
  ExpectOpenFailed();
  EXPECT_EQ(Panel(1), "COM7: kein Gerät");
  {
    PortHoldingProcess holder(pty.SlavePath());
    StartOn("5");
    ExpectOpenFailed();
    EXPECT_EQ(Panel(1), "COM5: belegt von sleep (PID " + std::to_string(holder.Pid()) + ")");
  }
  form->StartButton->Click();
  EXPECT_TRUE(form->SerialComm1->Active()) << "free again";
  form->StopButton->Click();
}

// With a long recording name beside it, panel 1 still says who holds the
// port, and panel 3 shortens the name, not the count.
TEST_F(PortStatusTest, PanelsShortenANameInItsMiddleNeverWhatFollowsIt) {
  TempFolder folder;
  const std::string name = "messung-" + std::string(170, 'x') + ".csv";
  dialogs.Files().Answers.push_back(folder.Path(name));
  form->AufzeichnungsdateiWaehlen->Click();
  form->StartButton->Click();
  form->StopButton->Click();
  PortHoldingProcess holder(pty.SlavePath());
  StartOn("5");
  ExpectOpenFailed();

  const QList<QLabel*> panels = form->StatusBar->Widget()->findChildren<QLabel*>();
  ASSERT_EQ(panels.size(), 4);
  const std::string held = "COM5: belegt von sleep (PID " + std::to_string(holder.Pid()) + ")";
  const std::string recorded = "Aufgezeichnet: " + name + ", 0 Zeilen";
  // Laid out once the panels have shown their texts. A hot-plug change
  // elsewhere (a pty of another test) may put the port's status back into
  // panel 1: the reason is put there again until the layout is seen.
  const auto fitsInView = [&](const QLabel* panel) {
    return panel->fontMetrics().horizontalAdvance(panel->text()) <= panel->contentsRect().width() &&
           panel->geometry().right() < form->StatusBar->Widget()->width();
  };
  EXPECT_TRUE(WaitUntil([&] {
    if (form->StatusBar->Panels()[1].Text() != held) form->PortStatus().ShowOpenFailure();
    return panels[1]->text().toStdString() == held && panels[3]->text().endsWith(", 0 Zeilen") &&
           fitsInView(panels[1]) && fitsInView(panels[3]);
  })) << panels[1]->text().toStdString() << " | " << panels[3]->text().toStdString();
  const std::string shown = panels[3]->text().toStdString();
  EXPECT_EQ(shown.rfind("Aufgezeichnet: messung-xx", 0), 0u) << shown;
  EXPECT_NE(shown.find("…"), std::string::npos) << shown;
  EXPECT_EQ(panels[3]->accessibleName().toStdString(), recorded) << "screen readers hear it whole";
}

}  // namespace
}  // namespace kurvex::test
