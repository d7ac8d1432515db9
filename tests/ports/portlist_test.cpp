// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/system/configdir.h"
#include "ports/comassign.h"
#include "ports/comport.h"
#include "tests/support/fakedevicetree.h"
#include "tests/support/pty.h"

namespace kurvex::test {
namespace {

namespace fs = std::filesystem;

/// An on-board port COM1, and another at /dev/ttyS4 that COM5 opens.
class ComNumbersTest : public ::testing::Test {
 protected:
  ComNumbersTest() {
    fake.AddSerial8250("ttyS0", 4, "4:64");
    fake.AddSerial8250("ttyS4", 4, "4:68");
  }
  void Plug(const std::string& name, const std::string& usbPort, const std::string& byId) {
    fake.AddUsbSerial(name, usbPort, "FTDI", "FT232R USB UART", "ftdi_sio");
    if (!byId.empty()) fake.Link("/dev/serial/by-id/" + byId, "../../" + name);
  }
  /// "COM3 → target" per link made.
  std::vector<std::string> Assign(const std::function<bool(const TTtyDevice&)>& inUse = {}) {
    std::vector<std::string> made;
    for (const TComLink& link : AssignComNumbers(fake.Tree(), inUse)) {
      made.push_back("COM" + std::to_string(link.PortNo) + " → " + link.Target);
      EXPECT_EQ(fs::read_symlink(fake.Ports() / ("COM" + std::to_string(link.PortNo))), link.Target);
    }
    return made;
  }
  using Made = std::vector<std::string>;
  FakeDeviceTree fake;
};

TEST_F(ComNumbersTest, AdaptersGetTheLowestFreeNumberFrom3AndKeepItAcrossPlugIns) {
  EXPECT_EQ(Assign(), Made{}) << "on-board ports need no link";
  Plug("ttyUSB0", "1-2", "usb-FTDI_A");
  EXPECT_EQ(Assign(), Made{"COM3 → /dev/serial/by-id/usb-FTDI_A"});
  EXPECT_EQ(Assign(), Made{}) << "reached now";
  Plug("ttyUSB1", "1-3", "usb-FTDI_B");
  EXPECT_EQ(Assign(), Made{"COM4 → /dev/serial/by-id/usb-FTDI_B"});

  fake.Unplug("ttyUSB0", "usb-FTDI_A");
  Plug("ttyUSB2", "1-4", "usb-FTDI_C");
  EXPECT_EQ(Assign(), Made{"COM6 → /dev/serial/by-id/usb-FTDI_C"})
      << "COM3 waits for its adapter, COM5 opens ttyS4";
  Plug("ttyUSB0", "1-2", "usb-FTDI_A");
  EXPECT_EQ(Assign(), Made{}) << "the first adapter is COM3 again";
  fake.Unplug("ttyUSB0", "usb-FTDI_A");
  Plug("ttyUSB5", "1-2", "usb-FTDI_A");
  EXPECT_EQ(Assign(), Made{}) << "under another kernel name too";
  EXPECT_EQ(fake.Tree().ComPortDevice(3)->DevicePath, "/dev/ttyUSB5");

  fake.Unplug("ttyUSB1", "usb-FTDI_B");
  Plug("ttyUSB1", "1-3", "");
  EXPECT_EQ(Assign(), Made{"COM7 → /dev/ttyUSB1"}) << "without a by-id name: the device path";
}

TEST_F(ComNumbersTest, HandMadeLinksAreKeptAndTheirDevicesGetNoSecondNumber) {
  fake.LinkCom("COM3", "/dev/ttyUSB9");  // an adapter that is not here
  fake.LinkCom("COM12", "/dev/ttyUSB0");
  Plug("ttyUSB0", "1-2", "usb-FTDI_A");
  Plug("ttyUSB1", "1-3", "usb-FTDI_B");
  EXPECT_EQ(Assign(), Made{"COM4 → /dev/serial/by-id/usb-FTDI_B"});
  EXPECT_EQ(fs::read_symlink(fake.Ports() / "COM3"), "/dev/ttyUSB9");
  EXPECT_EQ(fs::read_symlink(fake.Ports() / "COM12"), "/dev/ttyUSB0");
  EXPECT_EQ(fake.Tree().ComLinks().size(), 3u);
}

TEST_F(ComNumbersTest, NoNumberForAPortInUseOrOneUdevIsStillBusyWith) {
  Plug("ttyUSB0", "1-2", "usb-FTDI_A");
  const auto ttyUSB0 = [](const TTtyDevice& device) { return device.Name == "ttyUSB0"; };
  EXPECT_EQ(Assign(ttyUSB0), Made{});
  EXPECT_EQ(Assign(), Made{"COM3 → /dev/serial/by-id/usb-FTDI_A"}) << "once it is free";

  // With udev running, a device counts from udev's database entry on, when
  // its by-id link is in place.
  fake.Write("/run/udev/data/c4:64", "E:ID_BUS=");
  fake.AddUsbSerial("ttyUSB1", "1-3", "FTDI", "FT232R USB UART", "ftdi_sio");
  fake.Write("/sys/class/tty/ttyUSB1/dev", "188:1");
  EXPECT_EQ(Assign(), Made{});
  fake.Link("/dev/serial/by-id/usb-FTDI_B", "../../ttyUSB1");
  fake.Write("/run/udev/data/c188:1", "E:ID_BUS=usb");
  EXPECT_EQ(Assign(), Made{"COM4 → /dev/serial/by-id/usb-FTDI_B"});
}

TEST(DeviceTree, LinksResolveInsideTheRootAndOnlyRealTtysCount) {
  FakeDeviceTree fake;
  fake.AddUsbSerial("ttyUSB10", "1-4", "FTDI", "FT232R USB UART", "ftdi_sio");
  fake.AddUsbSerial("ttyUSB2", "1-3", "FTDI", "FT232R USB UART", "ftdi_sio");
  fake.AddSerial8250("ttyS0", 4, "4:64");
  fake.AddSerial8250("ttyS1", 0, "4:65");
  fake.AddVirtualTty("tty1");
  fake.Write("/run/udev/data/c4:64", "E:ID_MODEL_FROM_DATABASE=NetMos NM9835\nE:ID_VENDOR=NetMos_Tech");
  fake.Link("/dev/serial/by-id/usb-FTDI", "../../ttyUSB2");
  fake.Link("/dev/loop-a", "loop-b");
  fake.Link("/dev/loop-b", "loop-a");
  fake.LinkCom("COM5", "/dev/serial/by-id/usb-FTDI");  // absolute: the fake /dev
  fake.LinkCom("COM6", "/dev/ttyUSB4");
  fake.LinkCom("COM06", "/dev/ttyUSB2");  // COM6 never looks this name up
  const TDeviceTree tree = fake.Tree();

  EXPECT_EQ(tree.Resolve("/dev/serial/../serial/by-id/usb-FTDI"), "/dev/ttyUSB2");
  EXPECT_EQ(tree.Resolve("/dev/loop-a"), std::nullopt);
  EXPECT_EQ(tree.ComPortDevice(5)->DevicePath, "/dev/ttyUSB2");
  EXPECT_EQ(tree.ComPortDevice(6), std::nullopt) << "a link that points nowhere";
  EXPECT_EQ(tree.ComPortDevice(1)->DevicePath, "/dev/ttyS0") << "no link: the legacy name";
  EXPECT_EQ(tree.ComPortDevice(2), std::nullopt) << "ttyS1 has no UART";
  ASSERT_EQ(tree.ComLinks().size(), 2u);

  const std::vector<TTtyDevice> devices = tree.SerialDevices();
  std::vector<std::string> names;
  for (const TTtyDevice& device : devices) names.push_back(device.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"ttyS0", "ttyUSB2", "ttyUSB10"}));
  const TTtyDetails onboard = tree.Details(devices[0]);
  EXPECT_EQ(onboard.Description + "|" + onboard.Manufacturer, "NetMos NM9835|NetMos Tech");
}

// A device named on the command line: the COM number that opens it.
TEST(DeviceTree, TheLowestComNumberThatReachesADevice) {
  FakeDeviceTree fake;
  fake.AddUsbSerial("ttyUSB0", "1-3", "FTDI", "FT232R USB UART", "ftdi_sio");
  fake.AddUsbSerial("ttyUSB1", "1-4", "FTDI", "FT232R USB UART", "ftdi_sio");
  fake.AddSerial8250("ttyS0", 4, "4:64");
  fake.AddSerial8250("ttyS1", 0, "4:65");
  fake.AddSerial8250("ttyS2", 4, "4:66");
  fake.Link("/dev/serial/by-id/usb-FTDI_A1", "../../ttyUSB0");
  fake.LinkCom("COM7", "/dev/serial/by-id/usb-FTDI_A1");
  fake.LinkCom("COM4", "/dev/ttyUSB0");
  fake.LinkCom("COM3", "/dev/ttyUSB1");  // the on-board ttyS2 is no COM3 now
  const TDeviceTree tree = fake.Tree();

  const struct {
    std::string path;
    std::optional<unsigned> portNo;
  } cases[] = {
      {"/dev/ttyUSB0", 4},
      {"/dev/serial/by-id/usb-FTDI_A1", 4},
      {"/dev/ttyUSB1", 3},
      {"/dev/ttyS0", 1},
      {"/dev/ttyS1", std::nullopt},  // no UART
      {"/dev/ttyS2", std::nullopt},
      {"/dev/ttyUSB9", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(tree.ComPortReaching(c.path), c.portNo) << c.path;
}

TEST(ComPort, NumbersOpenTheLinkedDeviceElseTheMatchingTtyS) {
  test::TempConfigHome home;
  EXPECT_EQ(PortDirectory(), home.Dir() / "kurvex" / "ports");
  const TDeviceTree tree = TDeviceTree::System();
  EXPECT_EQ(tree.ComPortOpenPath(1), "/dev/ttyS0");
  EXPECT_EQ(tree.ComPortOpenPath(17), "/dev/ttyS16");
  EXPECT_EQ(tree.ComPortOpenPath(0), "");
  // A link wins, even one that points nowhere: opening it must fail
  // rather than fall back to another device.
  test::LinkComPort(1, "/dev/null-device-gone");
  EXPECT_EQ(tree.ComPortOpenPath(1), ComPortLink(1).string());
  test::PtyPair pty;
  test::LinkComPort(0, pty.SlavePath());
  EXPECT_EQ(tree.ComPortOpenPath(0), pty.SlavePath());
  for (const char* bad : {"", "COM", "com5", "COM-1", "COM+5", "COM5x", " COM5", "LPT1",
                          "COM99999999999999999999"}) {
    EXPECT_EQ(ComPortNumber(bad), std::nullopt) << bad;
  }
  EXPECT_EQ(ComPortNumber("COM012"), 12u);
  EXPECT_EQ(BuiltInComNumber("/dev/ttyS4"), 5u);
  for (const char* other : {"/dev/ttyS04", "/dev/ttyS", "/dev/ttyUSB0", "/dev/ttyS-1"}) {
    EXPECT_EQ(BuiltInComNumber(other), std::nullopt) << other;
  }
}

TEST(ConfigDirectory, RelativeXdgConfigHomeIsIgnored) {
  test::TempConfigHome home;
  setenv("XDG_CONFIG_HOME", "relative/dir", 1);
  const char* previousHome = std::getenv("HOME");
  const std::string savedHome = previousHome != nullptr ? previousHome : "";
  setenv("HOME", "/home/someone", 1);
  EXPECT_EQ(ConfigDirectory(), std::filesystem::path("/home/someone/.config/kurvex"));
  if (previousHome != nullptr) {
    setenv("HOME", savedHome.c_str(), 1);
  } else {
    unsetenv("HOME");
  }
}

}  // namespace
}  // namespace kurvex::test
