// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/system/dispatcher.h"
#include "ports/portscan.h"
#include "ports/portwatch.h"
#include "serial/serialcomm.h"
#include "tests/support/fakedevicetree.h"
#include "tests/support/pty.h"
#include "tests/support/qtapp.h"
#include "tests/support/waituntil.h"

namespace kurvex::test {
namespace {

/// Two USB adapters, an on-board port, a reserved one without UART, and the
/// links COM7 (through a by-id name) and COM3.
class PortScanTest : public ::testing::Test {
 protected:
  PortScanTest() {
    fake.AddUsbSerial("ttyUSB0", "1-2", "FTDI", "FT232R USB UART", "ftdi_sio");
    fake.AddUsbSerial("ttyUSB1", "1-3", "Prolific", "USB-Serial Controller", "pl2303");
    fake.AddSerial8250("ttyS0", 4, "4:64");
    fake.AddSerial8250("ttyS1", 0, "4:65");
    fake.Link("/dev/serial/by-id/usb-Prolific", "../../ttyUSB1");
    fake.LinkCom("COM7", "/dev/serial/by-id/usb-Prolific");
    fake.LinkCom("COM3", "/dev/ttyUSB0");
  }
  std::vector<std::string> Captions(TEnumPorts mode) const {
    std::vector<std::string> captions;
    for (const TSerialDevice& entry : ScanSerialPorts(fake.Tree(), mode)) {
      captions.push_back(entry.Caption + " #" + std::to_string(entry.PortNumber));
    }
    return captions;
  }
  FakeDeviceTree fake;
};

TEST_F(PortScanTest, ComNumbersFirstThenUnnamedDevicesFrom4097WithCaptionsByMode) {
  fake.AddUsbSerial("ttyUSB2", "1-4", "", "", "ch341");  // an adapter without names
  fake.AddUsbSerial("ttyUSB3", "1-5", "FTDI", "FT232R USB UART", "ftdi_sio", /*node=*/false);
  fake.LinkCom("COM9", "/dev/ttyUSB5");  // points nowhere
  fake.LinkCom("COM4", "/dev/ttyUSB0");  // a second name for COM3's device

  // ttyS0 is what COM1 opens, so it is listed as COM1.
  EXPECT_EQ(Captions(epQuickAll),
            (std::vector<std::string>{"COM1 #1", "COM3 #3", "COM4 #4", "COM7 #7", "COM9 #9",
                                      "/dev/ttyUSB2 #4097", "/dev/ttyUSB3 #4098"}));
  EXPECT_EQ(Captions(epFullInfo),
            (std::vector<std::string>{"COM1 #1", "COM3 (FT232R USB UART) #3",
                                      "COM4 (FT232R USB UART) #4",
                                      "COM7 (USB-Serial Controller) #7", "COM9 #9",
                                      "/dev/ttyUSB2 #4097", "/dev/ttyUSB3 (FT232R USB UART) #4098"}));
  EXPECT_EQ(Captions(epFullPresent),
            (std::vector<std::string>{"COM1 #1", "COM3 (FT232R USB UART) #3",
                                      "COM4 (FT232R USB UART) #4",
                                      "COM7 (USB-Serial Controller) #7", "/dev/ttyUSB2 #4097"}));

  const TSerialDevice com7 = ScanSerialPorts(fake.Tree(), epFullInfo)[3];
  EXPECT_EQ(com7.DeviceObjectName + "|" + com7.OpenName + "|" + com7.DevicePath,
            "/dev/serial/by-id/usb-Prolific|COM7|/dev/ttyUSB1");
  EXPECT_EQ(com7.ServiceName + "|" + com7.Manufacturer + "|" + com7.DeviceKeyPath,
            "pl2303|Prolific|/sys/devices/pci0000:00/usb1/1-3/1-3:1.0/ttyUSB1");

  fake.LinkCom("COM1", "/dev/ttyUSB2");
  EXPECT_EQ(Captions(epQuickAll)[0], "COM1 #1");
  EXPECT_EQ(Captions(epQuickAll)[5], "/dev/ttyS0 #4097") << "a link of its number hides it";
}

TEST_F(PortScanTest, ComponentBuildsTheListOnlyWhenAskedAndChoosesFromIt) {
  TSerialComm com;
  com.SetDeviceTree(fake.Tree());
  com.SetComPortNo(5);
  EXPECT_EQ(com.DeviceIndex(), -1);
  EXPECT_EQ(com.GetDeviceName(), "COM5") << "nothing fills the list by itself";

  fake.AddUsbSerial("ttyUSB2", "1-4", "", "", "ch341");
  com.SetEnumPorts(epFullInfo);
  TDeviceStrings strings{{"stale", nullptr}};
  com.GetDeviceList(&strings);
  ASSERT_EQ(strings.size(), 4u);
  EXPECT_EQ(strings[1].Caption, "COM3 (FT232R USB UART)");
  EXPECT_EQ(strings[1].Device->Owner, &com);
  com.SelectDevice(3);
  com.SelectDevice(4);
  EXPECT_EQ(com.ComPortNo(), 4097) << "an invalid index chooses nothing";
  EXPECT_EQ(com.GetDeviceName(), "/dev/ttyUSB2");

  fake.LinkCom("COM2", "/dev/ttyUSB2");
  int refreshes = 0;
  com.AddListener([&](TBaseIO&, int code) { refreshes += code == kNotifyChanged; });
  com.GetDeviceList(&strings);
  EXPECT_EQ(strings.size(), 4u) << "a built list is kept until refreshed";
  com.RefreshDeviceList();
  EXPECT_EQ(refreshes, 1);
  EXPECT_EQ(com.DeviceIndex(), -1) << "the device has a COM number now";
  com.SetComPortNo(2);
  EXPECT_EQ(com.DeviceIndex(), 1);
}

TEST(DeviceListInsert, KeepsPortOrderAndDropsARepeatedNumber) {
  TDeviceList list;
  for (int number : {4097, 3, 1, 3, 5}) {
    TSerialDevice device;
    device.PortNumber = number;
    list.Insert(device);
  }
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list[1].PortNumber, 3);
  EXPECT_EQ(list[3].PortNumber, 4097);
  EXPECT_EQ(list[3].ListIndex, 3);
}

TEST(DeviceListOpen, AnEntryWithoutComNameOpensByItsDevicePath) {
  PtyPair pty;
  // Found through a by-id link of a fake tree whose node is the pty.
  FakeDeviceTree fake;
  fake.Link("/dev/ttyUSB7", pty.SlavePath());
  fake.Link("/dev/serial/by-id/usb-sim", "../../ttyUSB7");
  TSerialComm com;
  com.SetDeviceTree(fake.Tree());
  com.SetStreamProtocol(spNone);
  com.GetDeviceList(nullptr);
  com.SelectDevice(0);
  com.SetActive(true);
  ASSERT_EQ(com.GetDeviceName(), "/dev/ttyUSB7");
  EXPECT_TRUE(com.SendString("by path"));
  EXPECT_EQ(pty.ReadMaster(7), "by path");
}

namespace fs = std::filesystem;

class HotplugWatchTest : public QtAppTest {
 protected:
  void Watch(std::vector<fs::path> folders) {
    watch = std::make_unique<THotplugWatch>(std::move(folders));
    watch->OnChange = [this](const std::vector<THotplugChange>& batch) {
      changes.insert(changes.end(), batch.begin(), batch.end());
    };
  }
  bool Saw(const fs::path& folder, const std::string& name, bool arrived) {
    return WaitUntil([&] {
      return std::any_of(changes.begin(), changes.end(), [&](const THotplugChange& c) {
        return c.Folder == folder && c.Name == name && c.Arrived == arrived;
      });
    });
  }
  FakeDeviceTree fake;
  std::unique_ptr<THotplugWatch> watch;
  std::vector<THotplugChange> changes;
};

TEST_F(HotplugWatchTest, EntriesComeAndGoAndAMissingFolderIsWaitedFor) {
  const fs::path dev = fake.Host("/dev");
  const fs::path later = fake.Ports().parent_path() / "config" / "ports";
  Watch({dev, later});
  fake.Write("/dev/ttyUSB0", "");
  EXPECT_TRUE(Saw(dev, "ttyUSB0", true));
  fs::remove(dev / "ttyUSB0");
  EXPECT_TRUE(Saw(dev, "ttyUSB0", false));

  fs::create_directories(later);
  EXPECT_TRUE(Saw(later, "", true)) << "the folder's appearance is a change of its own";
  fs::create_symlink("/dev/pts/0", later / "COM5");
  EXPECT_TRUE(Saw(later, "COM5", true));
  fs::remove_all(later);
  EXPECT_TRUE(Saw(later, "", false));

  fake.Write("/dev/ttyACM0", "");
  watch.reset();
  const std::size_t seen = changes.size();
  for (int i = 0; i < 20; ++i) TDispatcher::ProcessMessages();
  EXPECT_EQ(changes.size(), seen) << "nothing is reported once the watch has gone";
}

TEST_F(HotplugWatchTest, AFolderCreatedInStepsIsSeenEveryTime) {
  const fs::path top = fake.Ports().parent_path() / "a";
  const fs::path ports = top / "b" / "ports";
  Watch({ports});
  for (int round = 0; round < 50; ++round) {
    changes.clear();
    fs::create_directories(ports);
    fs::create_symlink("/dev/pts/0", ports / "COM5");
    ASSERT_TRUE(Saw(ports, "", true)) << "round " << round;
    fs::remove_all(top);
    ASSERT_TRUE(Saw(ports, "", false)) << "round " << round;
  }
}

TEST_F(HotplugWatchTest, PortChangesFromTheWatchRefreshTheComponentList) {
  TSerialComm com;
  com.SetDeviceTree(fake.Tree());
  int refreshes = 0;
  com.AddListener([&](TBaseIO&, int code) { refreshes += code == kNotifyChanged; });
  Watch(fake.Tree().WatchFolders());
  watch->OnChange = [&](const std::vector<THotplugChange>& batch) {
    for (const THotplugChange& change : batch) com.HandleDeviceChange(change);
  };
  PtyPair pty;
  fake.LinkCom("COM5", pty.SlavePath());
  ASSERT_TRUE(WaitUntil([&] { return com.DeviceList().Count() == 1; }));
  EXPECT_EQ(com.DeviceList()[0].DeviceObjectName, pty.SlavePath());

  const int before = refreshes;
  std::ofstream(fake.Ports() / "notes.txt") << "unrelated";
  fs::remove(fake.Ports() / "COM5");
  ASSERT_TRUE(WaitUntil([&] { return com.DeviceList().Empty(); }));
  EXPECT_EQ(refreshes, before + 1) << "the unrelated file refreshed nothing";
}

// The watch numbers what is plugged in and says what arrived: never an
// on-board port, each adapter once.
TEST_F(HotplugWatchTest, ThePortWatchNumbersNewAdaptersAndSaysWhichArrived) {
  fake.AddSerial8250("ttyS0", 4, "4:64");
  fake.AddUsbSerial("ttyUSB0", "1-1", "FTDI", "FT232R USB UART", "ftdi_sio");
  TSerialComm com;
  com.SetDeviceTree(fake.Tree());
  com.SetEnumPorts(epFullPresent);
  TPortWatch ports(com);
  std::vector<std::vector<int>> arrivals;
  ports.OnChange = [&](const TPortChange& change) { arrivals.push_back(change.Arrived); };
  ports.Restart();
  ASSERT_EQ(arrivals.size(), 1u);
  EXPECT_EQ(arrivals[0], std::vector<int>{3}) << "COM1 is on board; the adapter got COM3";
  ASSERT_EQ(com.DeviceList().Count(), 2);

  fake.AddUsbSerial("ttyUSB1", "1-2", "Prolific", "PL2303", "pl2303");
  ASSERT_TRUE(WaitUntil([&] { return com.DeviceList().Count() == 3; }));
  EXPECT_EQ(std::count(arrivals.begin(), arrivals.end(), std::vector<int>{4}), 1);
  EXPECT_EQ(std::count(arrivals.begin(), arrivals.end(), std::vector<int>{3}), 1);
  ASSERT_TRUE(ports.DeviceOf(4));
  EXPECT_EQ(ports.DeviceOf(4)->DevicePath, "/dev/ttyUSB1");
}

// Each refresh reads the whole device tree: a burst of entries (a terminal
// program's pseudo-terminals, an adapter and its links) is refreshed once
// it settles, not once per entry.
TEST_F(HotplugWatchTest, ABurstOfDevicesIsOneRefreshNotOneEach) {
  TSerialComm com;
  com.SetDeviceTree(fake.Tree());
  com.SetEnumPorts(epFullPresent);
  TPortWatch ports(com);
  int refreshes = 0;
  ports.OnChange = [&](const TPortChange&) { ++refreshes; };
  ports.Restart();
  refreshes = 0;
  for (int i = 0; i < 50; ++i) {
    fake.AddSerial8250("ttyS" + std::to_string(i), 4, "4:" + std::to_string(64 + i));
    RunEventsFor(5);  // each entry reaches the watch on its own
  }
  ASSERT_TRUE(WaitUntil([&] { return com.DeviceList().Count() == 50; }));
  EXPECT_LT(refreshes, 25);
}

}  // namespace
}  // namespace kurvex::test
