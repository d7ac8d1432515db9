#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/dispatcher.h"
#include "platform/hotplugwatch.h"
#include "serial/portscan.h"
#include "serial/serialcomm.h"
#include "tests/serial/portlist_fixture.h"
#include "tests/support/pty.h"
#include "tests/support/qtapp.h"

namespace kurvex::test {
namespace {

namespace fs = std::filesystem;

bool RunUntil(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    TDispatcher::ProcessMessages();
  }
  return true;
}

/// Records what a watch reports, one entry per change.
class HotplugWatchTest : public QtAppTest {
 protected:
  void Watch(std::vector<fs::path> folders) {
    watch = std::make_unique<THotplugWatch>(std::move(folders));
    ASSERT_TRUE(watch->Watching());
    watch->OnChange = [this](const std::vector<THotplugChange>& batch) {
      ++batches;
      changes.insert(changes.end(), batch.begin(), batch.end());
    };
  }
  bool Saw(const fs::path& folder, const std::string& name, bool arrived) {
    return RunUntil([&] {
      return std::any_of(changes.begin(), changes.end(), [&](const THotplugChange& c) {
        return c.Folder == folder && c.Name == name && c.Arrived == arrived;
      });
    });
  }

  FakeDeviceTree fake;
  std::unique_ptr<THotplugWatch> watch;
  std::vector<THotplugChange> changes;
  int batches = 0;
};

TEST_F(HotplugWatchTest, ReportsEntriesThatComeAndGoAndFoldersThatAppearLater) {
  const fs::path dev = fake.Host("/dev");
  const fs::path later = fake.Ports().parent_path() / "config" / "kurvex" / "ports";
  Watch({dev, later});

  fake.Node("ttyUSB0");
  EXPECT_TRUE(Saw(dev, "ttyUSB0", true));
  fs::remove(fake.Host("/dev/ttyUSB0"));
  EXPECT_TRUE(Saw(dev, "ttyUSB0", false));

  fs::create_directories(later);
  EXPECT_TRUE(Saw(later, "", true)) << "the folder's appearance is a change of its own";
  fs::create_symlink("/dev/pts/0", later / "COM5");
  EXPECT_TRUE(Saw(later, "COM5", true));
  fs::remove_all(later);
  EXPECT_TRUE(Saw(later, "", false));
  fs::create_directories(later);
  fs::create_symlink("/dev/pts/0", later / "COM6");
  EXPECT_TRUE(Saw(later, "COM6", true)) << "watched again after it was removed";
}

TEST_F(HotplugWatchTest, ManyChangesArriveInFewReportsAndNoneAfterTheWatchEnds) {
  const fs::path dev = fake.Host("/dev");
  Watch({dev});
  for (int i = 0; i < 50; ++i) fake.Node("ttyUSB" + std::to_string(i));
  EXPECT_TRUE(Saw(dev, "ttyUSB49", true));
  EXPECT_EQ(changes.size(), 50u);
  EXPECT_LT(batches, 50) << "a report still queued takes later changes along";

  fake.Node("ttyACM0");
  watch.reset();
  const std::size_t seen = changes.size();
  for (int i = 0; i < 20; ++i) TDispatcher::ProcessMessages();
  EXPECT_EQ(changes.size(), seen) << "a report queued before the end is dropped";
}

TEST_F(HotplugWatchTest, PseudoTerminalsThatOpenAndCloseAreSeen) {
  Watch({"/dev/pts"});
  std::string path;
  {
    PtyPair pty;
    path = pty.SlavePath();
    EXPECT_TRUE(Saw("/dev/pts", fs::path(path).filename().string(), true));
  }
  EXPECT_TRUE(Saw("/dev/pts", fs::path(path).filename().string(), false));
}

TEST(HotplugFilter, OnlyChangesThatMayConcernPortsCount) {
  EXPECT_TRUE(ConcernsSerialPorts({"/dev", "ttyUSB0", true}));
  EXPECT_TRUE(ConcernsSerialPorts({"/home/u/.config/kurvex/ports", "COM5", false}));
  EXPECT_TRUE(ConcernsSerialPorts({"/dev/pts", "7", false}));
  EXPECT_TRUE(ConcernsSerialPorts({"/home/u/.config/kurvex/ports", "", true}));
  EXPECT_TRUE(ConcernsSerialPorts({}));
  EXPECT_FALSE(ConcernsSerialPorts({"/dev", "sda1", true}));
  EXPECT_FALSE(ConcernsSerialPorts({"/home/u/.config/kurvex/ports", "notes.txt", true}));
}

TEST_F(HotplugWatchTest, DeviceChangesFromTheWatchRefreshTheComponentList) {
  TSerialComm com;
  com.SetDeviceTree(fake.Tree());
  int refreshes = 0;
  com.AddListener([&](TBaseIO&, int code) { refreshes += code == kNotifyChanged; });
  THotplugWatch devices(fake.Tree().WatchFolders());
  devices.OnChange = [&](const std::vector<THotplugChange>& batch) {
    for (const THotplugChange& change : batch) com.HandleDeviceChange(change);
  };

  PtyPair pty;
  fake.Write(pty.SlavePath(), "");
  fake.LinkCom("COM5", pty.SlavePath());
  ASSERT_TRUE(RunUntil([&] { return com.DeviceList().Count() == 1; }));
  EXPECT_EQ(com.DeviceList()[0].Caption, "COM5");
  EXPECT_EQ(com.DeviceList()[0].DeviceObjectName, pty.SlavePath());

  const int before = refreshes;
  std::ofstream(fake.Ports() / "readme.txt") << "unrelated";
  fs::remove(fake.Ports() / "COM5");
  ASSERT_TRUE(RunUntil([&] { return com.DeviceList().Empty(); }));
  EXPECT_EQ(refreshes, before + 1) << "the unrelated file refreshed nothing";
}

}  // namespace
}  // namespace kurvex::test
