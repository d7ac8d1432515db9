// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "ports/comport.h"
#include "platform/system/configdir.h"
#include "ports/devicetree.h"
#include "tests/support/pty.h"

namespace kurvex {
namespace {

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
}  // namespace kurvex
