// SPDX-License-Identifier: GPL-3.0-or-later
#include <bit>
#include <cerrno>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>

#include "app/dataformat.h"
#include "app/notices/paritybitwatch.h"
#include "app/numbertext.h"
#include "app/ports/portstatus.h"
#include "app/ports/porttexts.h"
#include "ports/comport.h"
#include "tests/app/mainwindow_fixture.h"
#include "tests/support/fakedevicetree.h"
#include "tests/support/fakeserialdevice.h"
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

namespace fs = std::filesystem;

std::vector<std::string> DesignNumbers(int from, int to) {
  std::vector<std::string> numbers;
  for (int n = from; n <= to; ++n) numbers.push_back(std::to_string(n));
  return numbers;
}

/// A USB adapter whose tty is `pty`, appearing as the kernel and udev make
/// it appear: sysfs, the by-id link, then the node.
void PlugInto(FakeDeviceTree& fake, const std::string& name, const std::string& usbPort, const std::string& maker,
              const std::string& product, const std::string& serial, const PtyPair& pty) {
  fake.AddUsbSerial(name, usbPort, maker, product, "ftdi_sio", /*node=*/false);
  fake.Link("/dev/serial/by-id/usb-" + maker + "_" + serial, "../../" + name);
  fake.Link("/dev/" + name, pty.SlavePath());
}

/// The real window on a fake device tree with nothing in it yet.
class PortChoiceTest : public QtAppTest {
 protected:
  PortChoiceTest() {
    form = std::make_unique<TForm1>();
    form->PortStatus().SetDeviceTree(fake.Tree());
    form->Show();
  }
  void Plug(const std::string& name, const std::string& usbPort, const std::string& maker,
            const std::string& product, const std::string& serial, const PtyPair& pty) {
    PlugInto(fake, name, usbPort, maker, product, serial, pty);
  }
  std::string Text() const { return form->ComComboBox->Text(); }

  TempConfigHome config;
  FakeDeviceTree fake;
  ScopedRecordingDialogs dialogs;
  std::unique_ptr<TForm1> form;
};

TEST_F(PortChoiceTest, AUsbInstrumentPluggedInIsNumberedChosenAndAcquiredFrom) {
  EXPECT_EQ(form->ComComboBox->Items(), DesignNumbers(0, 20)) << "nothing present";
  EXPECT_EQ(Text(), "5");

  PtyPair instrument;
  Plug("ttyUSB0", "1-2", "FTDI", "FT232R USB UART", "A1", instrument);
  const std::string first = "3 – FTDI FT232R USB UART (/dev/ttyUSB0)";
  ASSERT_TRUE(WaitUntil([&] { return Text() == first; })) << Text();
  EXPECT_EQ(fs::read_symlink(fake.Ports() / "COM3"), "/dev/serial/by-id/usb-FTDI_A1");
  EXPECT_EQ(form->StatusBar->Panels()[1].Text(), "COM3 → /dev/ttyUSB0 (FTDI FT232R USB UART)");
  EXPECT_EQ(static_cast<QComboBox*>(form->ComComboBox->Widget())->lineEdit()->cursorPosition(), 0)
      << "the narrow field shows the number";

  form->StartButton->Click();
  ASSERT_TRUE(form->SerialComm1->Active());
  EXPECT_EQ(form->SerialComm1->ComPortNo(), 3);
  instrument.WriteMaster("12.5\r\n");
  ASSERT_TRUE(WaitUntil([&] { return form->SessionState.SampleCount == 1; }));
  EXPECT_EQ(form->SessionState.ScaledValue, 12.5f);

  // A second adapter while the first acquires: numbered and listed, not chosen.
  PtyPair other;
  Plug("ttyUSB1", "1-3", "Prolific", "USB-Serial Controller", "B2", other);
  const std::string second = "4 – Prolific USB-Serial Controller (/dev/ttyUSB1)";
  ASSERT_TRUE(WaitUntil([&] { return form->ComComboBox->Items().at(1) == second; }));
  form->StopButton->Click();
  std::vector<std::string> items{first, second};
  for (const std::string& n : DesignNumbers(0, 20)) {
    if (n != "3" && n != "4") items.push_back(n);
  }
  EXPECT_EQ(form->ComComboBox->Items(), items) << "present devices first";
  EXPECT_EQ(Text(), first);
  EXPECT_TRUE(dialogs.Boxes().Calls.empty());
}

TEST_F(PortChoiceTest, ThePortAnAcquisitionHasOpenGetsNoNewNumber) {
  PtyPair instrument;
  Plug("ttyUSB0", "1-2", "FTDI", "FT232R USB UART", "A1", instrument);
  ASSERT_TRUE(WaitUntil([&] { return LeadingInteger(Text()) == 3; }));
  form->StartButton->Click();
  ASSERT_TRUE(form->SerialComm1->Active());

  fs::remove(fake.Ports() / "COM3");  // the user takes the number away
  ASSERT_TRUE(WaitUntil([&] { return form->StatusBar->Panels()[1].Text() == "COM3: kein Gerät · 115200 8N1"; }));
  EXPECT_TRUE(fake.Tree().ComLinks().empty()) << "not while it is open";

  form->StopButton->Click();
  fake.Write("/dev/ttyS9", "");  // any hot-plug change
  ASSERT_TRUE(WaitUntil([&] { return !fake.Tree().ComLinks().empty(); }));
  EXPECT_EQ(fake.Tree().ComLinks()[0].PortNo, 3u);
}

/// The port status on its own: a port field and a panel, no window.
class PortStatusAlone : public QtAppTest {};

TEST_F(PortStatusAlone, PanelAndFieldFollowADeviceGoingAndComingBack) {
  TempConfigHome config;
  FakeDeviceTree fake;
  TForm host;
  TComboBox field(&host);
  TStatusBar bar(&host);
  bar.Panels().Add(200, pwFill);
  TSerialComm comm;
  comm.SetDeviceTree(fake.Tree());
  field.SetText("5");
  TPortStatus status(comm, field, bar.Panels()[0]);
  const auto shows = [&](const std::string& entry, const std::string& panel) {
    return WaitUntil([&] { return field.Text() == entry && bar.Panels()[0].Text() == panel; });
  };
  EXPECT_EQ(field.Items(), DesignNumbers(0, 20));
  EXPECT_EQ(bar.Panels()[0].Text(), "COM5: kein Gerät");

  PtyPair adapter;
  PlugInto(fake, "ttyUSB0", "1-2", "FTDI", "FT232R USB UART", "A1", adapter);
  EXPECT_TRUE(shows("3 – FTDI FT232R USB UART (/dev/ttyUSB0)", "COM3 → /dev/ttyUSB0 (FTDI FT232R USB UART)"))
      << field.Text() << " | " << bar.Panels()[0].Text();
  fake.Unplug("ttyUSB0", "usb-FTDI_A1");
  EXPECT_TRUE(shows("3", "COM3: kein Gerät")) << field.Text() << " | " << bar.Panels()[0].Text();
  PlugInto(fake, "ttyUSB4", "1-2", "FTDI", "FT232R USB UART", "A1", adapter);
  // The field names port 3, present again: its entry comes back, nothing is chosen.
  EXPECT_TRUE(shows("3 – FTDI FT232R USB UART (/dev/ttyUSB4)", "COM3 → /dev/ttyUSB4 (FTDI FT232R USB UART)"))
      << field.Text() << " | " << bar.Panels()[0].Text();
}

TEST(PortTexts, ChoicesAndReasonsReadAsTheUserExpects) {
  const auto device = [](int number, const char* path, const char* maker = "", const char* product = "") {
    TSerialDevice d;
    d.PortNumber = number;
    d.DevicePath = path;
    d.Manufacturer = maker;
    d.Description = product;
    return d;
  };
  TDeviceList present;
  present.Insert(device(4097, "/dev/ttyAMA0"));
  present.Insert(device(20, "/dev/ttyUSB0", "FTDI", "FTDI FT232R USB UART"));
  present.Insert(device(1, "/dev/ttyS0"));
  const std::vector<std::string> items = PortChoiceItems(present);
  ASSERT_EQ(items.size(), 22u);
  EXPECT_EQ(items[0], "1 – /dev/ttyS0");
  EXPECT_EQ(items[1], "20 – FTDI FT232R USB UART (/dev/ttyUSB0)") << "the maker once";
  EXPECT_EQ(items[2], "4097 – /dev/ttyAMA0");
  EXPECT_EQ(items[3], "0");
  EXPECT_EQ(items.back(), "19");
  EXPECT_EQ(LeadingInteger(items[2]), 4097);

  EXPECT_EQ(OpenFailureText(5, EIO, true, {}), "COM5: Input/output error");
  EXPECT_EQ(OpenFailureText(5, EIO, false, {}), "COM5: kein Gerät");
  for (const int denied : {EACCES, EPERM}) {
    EXPECT_EQ(OpenFailureText(5, denied, true, {}),
              "COM5: keine Berechtigung – Benutzer zur Gruppe dialout hinzufügen");
  }
  EXPECT_EQ(OpenFailureText(5, EBUSY, true, {}), "COM5: von einem anderen Programm belegt");
  EXPECT_EQ(OpenFailureText(5, EBUSY, true, {{17, "minicom"}, {40, "screen"}}),
            "COM5: belegt von minicom (PID 17), screen (PID 40)");
}

// `lines` repeated to 256 bytes as a 7-bit instrument with parity puts them
// on a line read with 8 data bits: the parity bit in bit 7 (`parity` false: none).
std::string FirstBytes(const std::string& lines, bool parity, bool odd = false) {
  std::string bytes;
  while (bytes.size() < TParityBitWatch::kBytes) {
    for (const char c : lines) {
      const bool oddBits = (std::popcount(static_cast<unsigned>(c & 0x7F)) & 1) != 0;
      bytes += static_cast<char>(parity && oddBits != odd ? c | 0x80 : c);
    }
  }
  return bytes.substr(0, TParityBitWatch::kBytes);
}

std::string Suggestion(const std::string& bytes) {
  TParityBitWatch watch;
  watch.Take(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  return watch.Suggestion();
}

TEST(ParityBitWatch, TellsSevenBitsWithParityFromText) {
  EXPECT_EQ(Suggestion(FirstBytes("12.5\r\n", true)), "7E1");
  EXPECT_EQ(Suggestion(FirstBytes("12.5\r\n", true, true)), "7O1");
  EXPECT_EQ(Suggestion(FirstBytes("0.000\r\n", true)), "7E1");  // bit 7 only in the CRs
  EXPECT_EQ(Suggestion(FirstBytes("12.5\r\n", true).substr(1)), "");  // not all bytes there yet
  EXPECT_EQ(Suggestion(FirstBytes("5 \xC2\xB0" "C\r\n", false)), "");   // UTF-8 units
}

class DataFormatWindow : public MainWindowTest {
 protected:
  FakeSerialDevice* StartWithFakeDevice() {
    FakeSerialDevice* fake = nullptr;
    form->SerialComm1->HandOverDevice(OpenFakeDevice(pty.SlavePath(), fake));
    form->StartButton->Click();
    EXPECT_TRUE(form->SerialComm1->Active());
    return fake;
  }
};

TEST_F(DataFormatWindow, TheChosenFormatGoesOnTheLineAtStartAndShows) {
  TForm1& f = *form;
  EXPECT_EQ(f.FormatComboBox->AccessibleName(), "Datenformat");
  EXPECT_EQ(f.FormatComboBox->Items(), DataFormatItems());
  for (const std::string& item : DataFormatItems()) EXPECT_EQ(DataFormatName(DataFormatOf(item)), item);
  EXPECT_EQ(f.FormatComboBox->Text(), "8N1");
  EXPECT_EQ(f.FormatComboBox->Style(), csDropDownList);
  f.FormatComboBox->SetText("7N2");
  EXPECT_EQ(f.Label3->Caption() + " " + f.Label4->Caption(), "Databits = 7 Stopbits = 2");

  const std::string idlePort = Panel(1);
  f.BaudComboBox->SetText("9600");
  f.FormatComboBox->SetText("7O1");
  FakeSerialDevice* fake = StartWithFakeDevice();
  EXPECT_FALSE(f.FormatComboBox->Widget()->isEnabled());
  EXPECT_EQ(fake->LastSettings().BaudRate, 9600u);
  EXPECT_EQ(fake->LastSettings().DataBits, 7);
  EXPECT_EQ(fake->LastSettings().Parity, SerialParity::Odd);
  EXPECT_EQ(Panel(1), idlePort + " · 9600 7O1");
  f.StopButton->Click();
  EXPECT_EQ(Panel(1), idlePort);
  EXPECT_EQ(f.FormatComboBox->Text(), "7O1");
}

TEST_F(DataFormatWindow, ALineWithATransmissionErrorIsNoSample) {
  form->FormatComboBox->SetText("8E1");
  StartWithFakeDevice()->MarkAsReceivedWithError('7');
  pty.WriteMaster("1\r\n17\r\n2\r\n");
  ASSERT_TRUE(WaitUntil([&] { return form->SessionState.SampleCount == 2; }));
  EXPECT_EQ(form->Chart1->Item(1).Y, 2);
  EXPECT_EQ(Panel(2), "Übertragungsfehler: 1");
  form->StopButton->Click();
  form->StartButton->Click();  // a new acquisition counts anew
  EXPECT_EQ(Panel(2), "");
}

TEST_F(DataFormatWindow, AParityBitReadAsDataSuggestsTheFormatPerAcquisition) {
  const std::string hint = "Viele Bytes mit Bit 7 – Datenformat 7E1?";
  form->StartButton->Click();
  pty.WriteMaster(FirstBytes("12.5\r\n", true));
  EXPECT_TRUE(WaitUntil([&] { return Panel(2).ends_with(hint); })) << Panel(2);
  form->StopButton->Click();
  form->StartButton->Click();
  EXPECT_EQ(Panel(2).find(hint), std::string::npos);
}

}  // namespace
}  // namespace kurvex::test
