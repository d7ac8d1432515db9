// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "tests/support/strictcsv.h"
#include "tests/support/tempfolder.h"

namespace kurvex::test {
namespace {

constexpr std::int64_t kMaxLossNs = 250'000'000;

// A real process records and is killed with SIGKILL: the file must read
// cleanly, end in a complete row and hold every sample but those of the
// last 250 ms.
TEST(RecordingCrash, AKilledRecorderLeavesEverySampleButTheLastMoments) {
  TempFolder folder;
  const std::string csvPath = folder.Path("crash.csv");
  const std::string statePath = folder.Path("state");
  const int stateFd = ::open(statePath.c_str(), O_RDWR | O_CREAT, 0600);
  ASSERT_GE(stateFd, 0);
  ASSERT_EQ(::ftruncate(stateFd, 4096), 0);
  void* shared = ::mmap(nullptr, 4096, PROT_READ | PROT_WRITE, MAP_SHARED, stateFd, 0);
  ASSERT_NE(shared, MAP_FAILED);
  auto* state = static_cast<std::atomic<std::int64_t>*>(shared);

  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::execl(KURVEX_RECORDING_PROBE, KURVEX_RECORDING_PROBE, csvPath.c_str(), statePath.c_str(), nullptr);
    ::_exit(127);
  }
  // Killed in the middle of a recording that has been running a while.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (state[1] < 1000 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ASSERT_EQ(::kill(child, SIGKILL), 0);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  const std::int64_t startNs = state[0], handedOver = state[1], lastNs = state[2];
  ASSERT_GE(handedOver, 1000);

  const std::string text = FileText(csvPath);
  const StrictCsv csv = ReadStrictCsv(text, ',');
  ASSERT_EQ(csv.Error, "");
  ASSERT_GE(csv.Rows.size(), 2u);
  const auto rows = static_cast<std::int64_t>(csv.Rows.size() - 1);
  EXPECT_LE(rows, handedOver);
  for (std::int64_t n = 1; n <= rows; ++n) ASSERT_EQ(csv.Rows[n][0], std::to_string(n));
  // The newest row in the file is at most 250 ms older than the newest sample.
  const std::int64_t lastRowNs =
      startNs + static_cast<std::int64_t>(StrictFloat(csv.Rows.back()[2], '.') * 1000) * 1'000'000;
  EXPECT_LE(lastNs - lastRowNs, kMaxLossNs + 1'000'000)
      << rows << " of " << handedOver << " rows in the file";
  ::munmap(shared, 4096);
  ::close(stateFd);
}

}  // namespace
}  // namespace kurvex::test
