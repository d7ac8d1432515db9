// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/system/dispatcher.h"
#include "ports/portscan.h"
#include "ports/portwatch.h"
#include "serial/serialcomm.h"
#include "tests/support/fakedevicetree.h"
#include "tests/support/waituntil.h"
#include "tests/support/pty.h"
#include "tests/support/qtapp.h"

namespace kurvex::test {
namespace {

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
