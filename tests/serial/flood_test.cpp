// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "serial/inputbacklog.h"
#include "tests/serial/receivefixture.h"

namespace kurvex {
namespace {

using test::WaitUntil;


// Numbered lines, so a lost, doubled or reordered byte shows.
std::string NumberedLines(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += std::to_string(i) + "\n";
  return text;
}

/// An instrument faster than its consumer: the handler takes longer per
/// block than one handling may spend.
class Flood : public test::ReceiveFixture {
 protected:
  void SetUp() override {
    ReceiveFixture::SetUp();
    ConfigureLikeTheWindow(m_comm);
    m_comm.OnAfterReceive = [this](TBaseIO&, const std::uint8_t* buffer, std::uint32_t received) {
      m_bytes.append(reinterpret_cast<const char*>(buffer), received);
      ++m_blocks;
      if (OnBlock) OnBlock(m_blocks);
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    };
  }
  ~Flood() override {
    m_flooding = false;
    if (m_instrument.joinable()) m_instrument.join();
  }
  void Send(const std::string& data) {
    m_instrument = std::thread([this, data] { m_pty.WriteMaster(data); });
  }
  void SendUntilStopped() {
    m_instrument = std::thread([this] { m_pty.FloodMaster(NumberedLines(2000), m_flooding); });
  }

  TSerialComm m_comm;
  std::string m_bytes;
  int m_blocks = 0;
  std::function<void(int)> OnBlock;
  std::atomic<bool> m_flooding{true};
  std::thread m_instrument;
};

TEST_F(Flood, TheLoopRunsBetweenHandlingsAndEveryByteArrivesOnceInOrder) {
  // Commands posted from inside a handling, as a click queued behind it:
  // each must run before the next block is delivered.
  std::vector<std::pair<int, int>> postedAndRun;
  OnBlock = [&](int block) {
    if (block % 8 != 3) return;
    postedAndRun.emplace_back(block, -1);
    const std::size_t index = postedAndRun.size() - 1;
    TDispatcher::Post([&, index] { postedAndRun[index].second = m_blocks; });
  };
  m_comm.SetActive(true);
  const std::string data = NumberedLines(60000);  // about 350 KB, 20 blocks and more
  Send(data);
  ASSERT_TRUE(WaitUntil([&] { return m_bytes.size() >= data.size(); }, 60000))
      << m_bytes.size() << " of " << data.size();
  m_comm.SetActive(false);

  EXPECT_TRUE(m_bytes == data) << "bytes lost, doubled or out of order";
  ASSERT_GE(postedAndRun.size(), 2u);
  for (const auto& [posted, run] : postedAndRun) {
    EXPECT_EQ(run, posted) << "a command posted at block " << posted << " waited for block " << run;
  }
}

TEST_F(Flood, AnOverloadIsReportedAfterASecondAndEndsWhenCaughtUp) {
  std::vector<bool> reports;
  m_comm.OnInputOverload = [&](TBaseIO&, bool overloaded) { reports.push_back(overloaded); };
  m_comm.SetActive(true);
  SendUntilStopped();
  ASSERT_TRUE(WaitUntil([&] { return !reports.empty(); }, 20000));
  EXPECT_TRUE(m_comm.InputOverloaded());
  m_flooding = false;
  m_instrument.join();
  ASSERT_TRUE(WaitUntil([&] { return reports.size() == 2; }, 20000));
  EXPECT_EQ(reports, (std::vector<bool>{true, false}));
  EXPECT_FALSE(m_comm.InputOverloaded());
  m_comm.SetActive(false);
}

TEST_F(Flood, ClosingWhileOverloadedReportsTheEndOfIt) {
  std::vector<bool> reports;
  m_comm.OnInputOverload = [&](TBaseIO&, bool overloaded) { reports.push_back(overloaded); };
  m_comm.SetActive(true);
  SendUntilStopped();
  ASSERT_TRUE(WaitUntil([&] { return !reports.empty(); }, 20000));
  m_comm.SetActive(false);
  EXPECT_EQ(reports, (std::vector<bool>{true, false}));
}

TEST(InputBacklog, OverloadedOnlyOnceBytesHaveWaitedASecondWithoutADrain) {
  using namespace std::chrono_literals;
  TInputBacklog backlog;
  const TInputBacklog::Clock::time_point t0{};
  EXPECT_FALSE(backlog.HandlingEnded(true, t0));
  EXPECT_FALSE(backlog.HandlingEnded(true, t0 + 999ms));
  EXPECT_TRUE(backlog.HandlingEnded(true, t0 + 1s));
  EXPECT_TRUE(backlog.Overloaded());
  EXPECT_FALSE(backlog.HandlingEnded(true, t0 + 5s));
  EXPECT_TRUE(backlog.HandlingEnded(false, t0 + 6s));
  EXPECT_FALSE(backlog.Overloaded());
  // A drain in between starts the second over.
  EXPECT_FALSE(backlog.HandlingEnded(true, t0 + 7s));
  EXPECT_FALSE(backlog.HandlingEnded(true, t0 + 7s + 999ms));
}

}  // namespace
}  // namespace kurvex
