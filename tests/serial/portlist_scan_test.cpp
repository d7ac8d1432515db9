#include <gtest/gtest.h>

#include "serial/portscan.h"
#include "serial/serialcomm.h"
#include "tests/serial/portlist_fixture.h"
#include "tests/support/pty.h"

namespace kurvex::test {
namespace {

/// Two USB adapters, a reserved legacy port and an on-board one, and links
/// COM7 and COM3 (COM7 to the second adapter through its by-id name).
class PortScanTest : public ::testing::Test {
 protected:
  PortScanTest() {
    fake.AddUsbSerial("ttyUSB0", "1-2", "FTDI", "FT232R USB UART", "ftdi_sio");
    fake.AddUsbSerial("ttyUSB1", "1-3", "Prolific", "USB-Serial Controller", "pl2303");
    fake.AddSerial8250("ttyS0", 4, "4:64");
    fake.AddSerial8250("ttyS1", 0, "4:65");
    fake.AddVirtualTty("tty0");
    fake.Link("/dev/serial/by-id/usb-Prolific-port0", "../../ttyUSB1");
    fake.LinkCom("COM7", "/dev/serial/by-id/usb-Prolific-port0");
    fake.LinkCom("COM3", "/dev/ttyUSB0");
  }

  static std::vector<std::string> Captions(const std::vector<TSerialDevice>& entries) {
    std::vector<std::string> captions;
    for (const TSerialDevice& entry : entries) captions.push_back(entry.Caption);
    return captions;
  }

  FakeDeviceTree fake;
};

TEST_F(PortScanTest, QuickListHasLinksByNumberThenUnlinkedDevicesFrom4097) {
  const auto entries = ScanSerialPorts(fake.Tree(), epQuickAll);
  EXPECT_EQ(Captions(entries), (std::vector<std::string>{"COM3", "COM7", "/dev/ttyS0"}));
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].PortNumber, 3);
  EXPECT_EQ(entries[0].OpenName, "COM3");
  EXPECT_EQ(entries[0].DeviceObjectName, "/dev/ttyUSB0");
  EXPECT_EQ(entries[1].DeviceObjectName, "/dev/serial/by-id/usb-Prolific-port0");
  EXPECT_EQ(entries[2].PortNumber, 4097);
  EXPECT_EQ(entries[2].PortName, "/dev/ttyS0");
  EXPECT_EQ(entries[2].OpenName, "/dev/ttyS0");
  EXPECT_TRUE(entries[0].Description.empty()) << "the quick list reads no details";
}

TEST_F(PortScanTest, FullInfoNamesTheDeviceInCaptionAndFields) {
  fake.AddUsbSerial("ttyUSB2", "1-4", "", "", "ch341");  // a cheap adapter without names
  fake.AddUsbSerial("ttyACM0", "1-5", "Arduino (www.arduino.cc)", "Uno", "cdc_acm");
  const auto entries = ScanSerialPorts(fake.Tree(), epFullInfo);
  EXPECT_EQ(Captions(entries), (std::vector<std::string>{"COM3 (FT232R USB UART)",
                                                         "COM7 (USB-Serial Controller)",
                                                         "/dev/ttyACM0 (Uno)", "/dev/ttyS0",
                                                         "/dev/ttyUSB2"}));
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries[0].Manufacturer, "FTDI");
  EXPECT_EQ(entries[0].ServiceName, "ftdi_sio");
  EXPECT_EQ(entries[0].DriverKey, "/sys/bus/usb-serial/drivers/ftdi_sio");
  EXPECT_EQ(entries[0].DeviceKeyPath, "/sys/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0/ttyUSB0");
  EXPECT_EQ(entries[0].PortName, "COM3");
  EXPECT_EQ(entries[1].ServiceName, "pl2303");
  EXPECT_EQ((std::vector<int>{entries[2].PortNumber, entries[3].PortNumber, entries[4].PortNumber}),
            (std::vector<int>{4097, 4098, 4099}));
  EXPECT_EQ(entries[4].ServiceName, "ch341");
}

TEST_F(PortScanTest, LinksThatLeadNowhereOrToTheSameDevice) {
  fake.LinkCom("COM9", "/dev/ttyUSB5");
  fake.LinkCom("COM4", "/dev/ttyUSB0");  // a second name for the device of COM3
  fake.AddUsbSerial("ttyUSB3", "1-6", "FTDI", "FT232R USB UART", "ftdi_sio", /*node=*/false);

  const auto info = ScanSerialPorts(fake.Tree(), epFullInfo);
  EXPECT_EQ(Captions(info), (std::vector<std::string>{"COM3 (FT232R USB UART)",
                                                      "COM4 (FT232R USB UART)",
                                                      "COM7 (USB-Serial Controller)", "COM9",
                                                      "/dev/ttyS0", "/dev/ttyUSB3 (FT232R USB UART)"}));

  const auto present = ScanSerialPorts(fake.Tree(), epFullPresent);
  EXPECT_EQ(Captions(present), (std::vector<std::string>{"COM3 (FT232R USB UART)",
                                                         "COM4 (FT232R USB UART)",
                                                         "COM7 (USB-Serial Controller)",
                                                         "/dev/ttyS0"}));
}

TEST(DeviceListOrder, InsertKeepsPortOrderDropsRepeatedNumbersAndRenumbers) {
  TDeviceList list;
  const auto entry = [](int number, const char* caption) {
    TSerialDevice device;
    device.PortNumber = number;
    device.Caption = caption;
    return device;
  };
  EXPECT_EQ(list.Insert(entry(4097, "/dev/ttyS0")), 0);
  EXPECT_EQ(list.Insert(entry(3, "COM3")), 0);
  EXPECT_EQ(list.Insert(entry(1, "COM1")), 0);
  EXPECT_EQ(list.Insert(entry(3, "COM3 again")), -1);
  EXPECT_EQ(list.Insert(entry(5, "COM5")), 2);
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list[1].Caption, "COM3");
  for (int i = 0; i < list.Count(); ++i) EXPECT_EQ(list[i].ListIndex, i);
  EXPECT_EQ(list.IndexOfPort(4097), 3);
  EXPECT_EQ(list.IndexOfPort(2), -1);
}

TEST_F(PortScanTest, ComponentListIsBuiltWhenAskedAndChoosesThePort) {
  TSerialComm com;
  com.SetDeviceTree(fake.Tree());
  com.SetComPortNo(5);
  EXPECT_TRUE(com.DeviceList().Empty()) << "nothing asks for the list by itself";
  EXPECT_EQ(com.DeviceIndex(), -1);
  EXPECT_EQ(com.GetDeviceName(), "COM5");

  com.SetEnumPorts(epFullInfo);
  TDeviceStrings strings{{"stale", nullptr}};
  com.GetDeviceList(&strings);
  ASSERT_EQ(strings.size(), 3u);
  EXPECT_EQ(strings[0].Caption, "COM3 (FT232R USB UART)");
  EXPECT_EQ(strings[2].Device->PortNumber, 4097);
  EXPECT_EQ(strings[1].Device->ListIndex, 1);
  EXPECT_EQ(strings[1].Device->Owner, &com);

  com.SelectDevice(1);
  EXPECT_EQ(com.ComPortNo(), 7);
  EXPECT_EQ(com.DeviceIndex(), 1);
  EXPECT_EQ(com.GetDeviceName(), "COM7");
  com.SelectDevice(2);
  EXPECT_EQ(com.GetDeviceName(), "/dev/ttyS0");
  com.SelectDevice(3);
  com.SelectDevice(-1);
  EXPECT_EQ(com.ComPortNo(), 4097) << "an invalid index chooses nothing";

  // A filled list is kept until refreshed; the refresh tells the listeners.
  fake.LinkCom("COM1", "/dev/ttyUSB1");
  com.GetDeviceList(&strings);
  EXPECT_EQ(strings.size(), 3u);
  std::vector<int> codes;
  com.AddListener([&](TBaseIO&, int code) { codes.push_back(code); });
  com.RefreshDeviceList();
  EXPECT_EQ(codes, std::vector<int>{kNotifyChanged});
  ASSERT_EQ(com.DeviceList().Count(), 4);
  EXPECT_EQ(com.DeviceList()[0].Caption, "COM1 (USB-Serial Controller)");
}

TEST(DeviceListOpen, EntriesOpenByComLinkOrByDevicePath) {
  TempConfigHome config;
  PtyPair linked;
  PtyPair unlinked;
  LinkComPort(5, linked.SlavePath());
  // The pty of the unlinked entry is found through a by-id link of a fake
  // tree whose /dev mirrors the real pty's path.
  FakeDeviceTree fake;
  fake.Write(unlinked.SlavePath(), "");
  fake.Link("/dev/serial/by-id/usb-sim", unlinked.SlavePath());
  fake.LinkCom("COM5", linked.SlavePath());
  fake.Write(linked.SlavePath(), "");

  TSerialComm com;
  com.SetDeviceTree(fake.Tree());
  com.SetStreamProtocol(spNone);
  com.GetDeviceList(nullptr);
  ASSERT_EQ(com.DeviceList().Count(), 2);

  com.SelectDevice(0);
  com.SetActive(true);
  ASSERT_TRUE(com.Active());
  EXPECT_TRUE(com.SendString("to COM5"));
  EXPECT_EQ(linked.ReadMaster(7), "to COM5");

  com.SelectDevice(1);
  EXPECT_EQ(com.ComPortNo(), 4097);
  ASSERT_TRUE(com.Active()) << "choosing another entry reopens on it";
  EXPECT_TRUE(com.SendString("by path"));
  EXPECT_EQ(unlinked.ReadMaster(7), "by path");
  com.SetActive(false);
}

}  // namespace
}  // namespace kurvex::test
