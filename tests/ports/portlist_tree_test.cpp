// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "tests/support/fakedevicetree.h"

namespace kurvex::test {
namespace {

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

}  // namespace
}  // namespace kurvex::test
