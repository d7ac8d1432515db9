#include <gtest/gtest.h>

#include "tests/serial/portlist_fixture.h"

namespace kurvex::test {
namespace {

std::vector<std::string> Names(const std::vector<TTtyDevice>& devices) {
  std::vector<std::string> names;
  for (const TTtyDevice& device : devices) names.push_back(device.Name);
  return names;
}

TEST(DeviceTree, LinksAreFollowedInsideTheRoot) {
  FakeDeviceTree fake;
  fake.Node("ttyUSB0");
  fake.Link("/dev/serial/by-id/usb-adapter", "../../ttyUSB0");
  fake.Link("/dev/absolute", "/dev/serial/by-id/usb-adapter");
  fake.Link("/dev/loop-a", "loop-b");
  fake.Link("/dev/loop-b", "loop-a");
  fake.Link("/dev/nowhere", "/dev/ttyUSB9");
  const TDeviceTree tree = fake.Tree();

  EXPECT_EQ(tree.Resolve("/dev/serial/by-id/usb-adapter"), "/dev/ttyUSB0");
  // An absolute target means the fake /dev, not the machine's.
  EXPECT_EQ(tree.Resolve("/dev/absolute"), "/dev/ttyUSB0");
  EXPECT_EQ(tree.Resolve("/dev/serial/../ttyUSB0"), "/dev/ttyUSB0");
  EXPECT_EQ(tree.Resolve("/dev/loop-a"), std::nullopt);
  EXPECT_EQ(tree.Resolve("/dev/nowhere"), std::nullopt);
  EXPECT_EQ(tree.Resolve("/dev/missing"), std::nullopt);
}

TEST(DeviceTree, SerialDevicesAreRealTtysInNumericOrderThenByIdTargets) {
  FakeDeviceTree fake;
  fake.AddUsbSerial("ttyUSB10", "1-4", "FTDI", "FT232R USB UART", "ftdi_sio");
  fake.AddUsbSerial("ttyUSB2", "1-3", "FTDI", "FT232R USB UART", "ftdi_sio");
  fake.AddUsbSerial("ttyACM0", "1-2", "Arduino", "Uno", "cdc_acm", /*node=*/false);
  fake.AddSerial8250("ttyS0", 4, "4:64");
  fake.AddSerial8250("ttyS1", 0, "4:65");  // reserved, no UART
  fake.AddVirtualTty("tty1");
  fake.Link("/dev/serial/by-id/usb-FTDI_A-if00-port0", "../../ttyUSB2");
  fake.Node("rfcomm0");
  fake.Link("/dev/serial/by-id/bt-rfcomm", "../../rfcomm0");
  fake.Link("/dev/serial/by-id/stale", "../../ttyUSB7");

  const std::vector<TTtyDevice> devices = fake.Tree().SerialDevices();
  EXPECT_EQ(Names(devices),
            (std::vector<std::string>{"ttyACM0", "ttyS0", "ttyUSB2", "ttyUSB10", "rfcomm0"}));
  ASSERT_EQ(devices.size(), 5u);
  EXPECT_FALSE(devices[0].Present) << "ttyACM0 has no node";
  EXPECT_TRUE(devices[1].Present);
  EXPECT_EQ(devices[2].SymbolicName, "/dev/serial/by-id/usb-FTDI_A-if00-port0");
  EXPECT_EQ(devices[4].DevicePath, "/dev/rfcomm0");
  EXPECT_EQ(devices[4].SymbolicName, "/dev/serial/by-id/bt-rfcomm");
}

TEST(DeviceTree, DetailsComeFromTheUsbDeviceOrFromUdev) {
  FakeDeviceTree fake;
  fake.AddUsbSerial("ttyUSB0", "1-2", "FTDI", "FT232R USB UART", "ftdi_sio");
  fake.AddSerial8250("ttyS0", 4, "4:64");
  fake.AddUdev("4:64", "I:123\nE:ID_MODEL_FROM_DATABASE=NetMos NM9835\nE:ID_VENDOR=NetMos_Tech\n");
  const TDeviceTree tree = fake.Tree();

  const TTtyDetails usb = tree.Details({"ttyUSB0", "/dev/ttyUSB0", {}, true});
  EXPECT_EQ(usb.Description, "FT232R USB UART");
  EXPECT_EQ(usb.Manufacturer, "FTDI");
  EXPECT_EQ(usb.Driver, "ftdi_sio");
  EXPECT_EQ(usb.DriverPath, "/sys/bus/usb-serial/drivers/ftdi_sio");
  EXPECT_EQ(usb.SysDevicePath, "/sys/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0/ttyUSB0");

  const TTtyDetails onboard = tree.Details({"ttyS0", "/dev/ttyS0", {}, true});
  EXPECT_EQ(onboard.Description, "NetMos NM9835");
  EXPECT_EQ(onboard.Manufacturer, "NetMos Tech");
  EXPECT_EQ(onboard.SysDevicePath, "/sys/devices/platform/serial8250");

  const TTtyDetails unknown = tree.Details({"rfcomm0", "/dev/rfcomm0", {}, true});
  EXPECT_TRUE(unknown.Description.empty());
  EXPECT_TRUE(unknown.SysDevicePath.empty());
}

TEST(DeviceTree, ComPortDeviceFollowsTheLinkElseTheLegacyName) {
  FakeDeviceTree fake;
  fake.AddUsbSerial("ttyUSB0", "1-2", "FTDI", "FT232R USB UART", "ftdi_sio");
  fake.AddSerial8250("ttyS0", 4, "4:64");
  fake.AddSerial8250("ttyS1", 0, "4:65");
  fake.Link("/dev/serial/by-id/usb-FTDI", "../../ttyUSB0");
  fake.LinkCom("COM5", "/dev/serial/by-id/usb-FTDI");
  fake.LinkCom("COM6", "/dev/ttyUSB4");
  fake.LinkCom("COM0", "/dev/ttyUSB0");
  const TDeviceTree tree = fake.Tree();

  ASSERT_TRUE(tree.ComPortDevice(5));
  EXPECT_EQ(tree.ComPortDevice(5)->DevicePath, "/dev/ttyUSB0");
  EXPECT_EQ(tree.ComPortDevice(6), std::nullopt) << "a link that points nowhere";
  ASSERT_TRUE(tree.ComPortDevice(0));
  ASSERT_TRUE(tree.ComPortDevice(1));
  EXPECT_EQ(tree.ComPortDevice(1)->DevicePath, "/dev/ttyS0");
  EXPECT_EQ(tree.ComPortDevice(2), std::nullopt) << "ttyS1 has no UART";
  EXPECT_EQ(tree.ComPortDevice(3), std::nullopt) << "no ttyS2 at all";
}

TEST(DeviceTree, ComLinksAreTheNamesThePortResolutionLooksUp) {
  FakeDeviceTree fake;
  fake.Node("ttyUSB0");
  fake.LinkCom("COM12", "/dev/ttyUSB0");
  fake.LinkCom("COM3", "../root/dev/ttyUSB0");
  fake.LinkCom("COM03", "/dev/ttyUSB0");
  fake.LinkCom("com4", "/dev/ttyUSB0");
  fake.LinkCom("COM7", "/dev/gone");
  std::ofstream(fake.Ports() / "COM8") << "not a link";

  const std::vector<TComLink> links = fake.Tree().ComLinks();
  ASSERT_EQ(links.size(), 3u);
  EXPECT_EQ(links[0].PortNo, 3u);
  EXPECT_EQ(links[0].Target, "../root/dev/ttyUSB0");
  EXPECT_EQ(links[1].PortNo, 7u);
  EXPECT_EQ(links[1].DevicePath, "");
  EXPECT_EQ(links[2].PortNo, 12u);
  EXPECT_EQ(links[2].DevicePath, "/dev/ttyUSB0");
}

}  // namespace
}  // namespace kurvex::test
