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

}  // namespace
}  // namespace kurvex::test
