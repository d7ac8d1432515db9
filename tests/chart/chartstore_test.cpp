// SPDX-License-Identifier: GPL-3.0-or-later
#include <array>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "chart/chartcontrol.h"
#include "tests/support/qtapp.h"
#include "tests/support/recordingdialogs.h"

namespace kurvex {
namespace {

using Bytes = std::array<std::uint8_t, sizeof(TChartItem)>;

Bytes BytesOf(const TChartItem& item) {
  Bytes b;
  std::memcpy(b.data(), &item, b.size());
  return b;
}

class ChartStoreTest : public test::QtAppTest {
 protected:
  TChartControl chart;
};

TEST_F(ChartStoreTest, NewItemsTakeTheCurrentDefaults) {
  chart.SetPenStyle(psDot);
  chart.SetLineWidth(3);
  chart.SetClassDefault(7);
  chart.SetClassDefault(255);  // ignored
  chart.DrawTo(2, 3);
  const TChartItem& item = chart.Item(0);
  EXPECT_EQ(item.PenStyle, psDot);
  EXPECT_EQ(item.LineWidth, 3);
  EXPECT_EQ(item.Class, 7);
  EXPECT_EQ(item.Layer, chart.ActiveLayer());
}

TEST_F(ChartStoreTest, StoreGrowsInAllocSizeStepsWithZeroedSlots) {
  chart.SetAllocSize(800000);
  chart.MoveTo(1, 1);
  EXPECT_EQ(chart.ItemCapacity(), 800000);
  EXPECT_EQ(chart.ItemCount(), 1);

  chart.ClearGraph();
  chart.SetAllocSize(3);
  chart.SetAllocSize(0);        // ignored
  chart.SetAllocSize(1000001);  // ignored
  EXPECT_EQ(chart.AllocSize(), 3);
  for (int i = 0; i < 3; ++i) chart.DrawTo(i, i);
  EXPECT_EQ(chart.ItemCapacity(), 3);
  chart.DrawTo(3, 3);
  EXPECT_EQ(chart.ItemCapacity(), 6);
  EXPECT_EQ(chart.Item(2).X, 2);  // kept across growth
  const Bytes zero{};
  EXPECT_EQ(BytesOf(chart.Store().Items()[4]), zero);
  EXPECT_EQ(BytesOf(chart.Store().Items()[5]), zero);
}

TEST_F(ChartStoreTest, RemoveItemShiftsKeepsCapacityAndReleasesTheLast) {
  chart.SetAllocSize(10);
  for (int i = 0; i < 4; ++i) chart.DrawTo(i, 10 * i);
  chart.RemoveItem(4);   // out of range
  chart.RemoveItem(-1);  // out of range
  EXPECT_EQ(chart.ItemCount(), 4);

  chart.RemoveItem(1);
  ASSERT_EQ(chart.ItemCount(), 3);
  EXPECT_EQ(chart.Item(0).X, 0);
  EXPECT_EQ(chart.Item(1).X, 2);
  EXPECT_EQ(chart.Item(2).X, 3);
  EXPECT_EQ(chart.ItemCapacity(), 10);

  chart.RemoveFirstItem();
  chart.RemoveFirstItem();
  EXPECT_EQ(chart.ItemCount(), 1);
  chart.RemoveFirstItem();
  EXPECT_EQ(chart.ItemCount(), 0);
  EXPECT_EQ(chart.ItemCapacity(), 0);
  chart.RemoveFirstItem();  // on an empty chart: nothing
  EXPECT_EQ(chart.ItemCount(), 0);
}

// Resident memory of this process in KiB.
long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

TEST(ItemStoreTest, ALongTrendKeepsItsMemoryFlat) {
  // The window's Trend mode: an 800,000-slot store, a 982-item window
  // scrolling by one item per sample, for a million samples.
  constexpr int kWindow = 982, kAllocSize = 800000;
  TItemStore store;
  long afterTenThousand = 0;
  for (int i = 1; i <= 1000000; ++i) {
    TChartItem& item = store.Append(kAllocSize);
    item.X = i;
    item.X2 = 1;  // never set by the chart: shows whether a reused slot was cleared
    if (store.Count() > kWindow) store.Remove(0);
    if (i == 10000) afterTenThousand = ResidentKiB();
  }
  EXPECT_LE(ResidentKiB() - afterTenThousand, 5 * 1024);
  EXPECT_EQ(store.Capacity(), kAllocSize);
  ASSERT_EQ(store.Count(), kWindow);
  for (int k = 0; k < kWindow; ++k) ASSERT_EQ(store[k].X, 1000000 - kWindow + 1 + k);
  TChartItem& last = store.Append(kAllocSize);
  EXPECT_EQ(last.X2, 0);
  last.X2 = 1;
  store.Remove(5);  // from the middle: the last slot is vacated
  EXPECT_EQ(store.Append(kAllocSize).X2, 0);
}

class DataSharingTest : public test::QtAppTest {
 protected:
  ScopedRecordingDialogs dialogs;
  TChartControl owner, a, b;

  std::string LastMessage() const {
    auto& calls = const_cast<ScopedRecordingDialogs&>(dialogs).Boxes().Calls;
    return calls.empty() ? "" : calls.back().Text;
  }
};

TEST_F(DataSharingTest, UsersShowTheOwnersItemsAfterAnyChange) {
  owner.DrawTo(1, 1);
  a.SetUseDataOf(&owner);
  EXPECT_EQ(a.ItemCount(), 1);
  owner.DrawTo(2, 2);
  EXPECT_EQ(a.ItemCount(), 2);
  a.DrawTo(3, 3);  // a user's change reaches the owner and the other users
  b.SetUseDataOf(&a);  // joins a's owner
  EXPECT_EQ(b.UseDataOf(), &owner);
  EXPECT_EQ(owner.ItemCount(), 3);
  b.RemoveFirstItem();
  EXPECT_EQ(owner.ItemCount(), 2);
  EXPECT_EQ(a.Item(0).X, 2);
  owner.ClearGraph();
  EXPECT_EQ(b.ItemCount(), 0);
  EXPECT_TRUE(dialogs.Boxes().Calls.empty());
}

TEST_F(DataSharingTest, LeavingKeepsTheItemsShownAsOwnCopy) {
  owner.DrawTo(1, 1);
  a.SetUseDataOf(&owner);
  a.SetUseDataOf(nullptr);
  EXPECT_EQ(a.UseDataOf(), nullptr);
  EXPECT_TRUE(owner.DataUsers().empty());
  EXPECT_EQ(a.ItemCount(), 1);
  owner.DrawTo(2, 2);
  EXPECT_EQ(a.ItemCount(), 1);
}

TEST_F(DataSharingTest, ViolationsShowTheirMessageAndChangeNothing) {
  a.SetUseDataOf(&a);
  EXPECT_EQ(LastMessage(), "Chart: Cannot share data with myself");
  EXPECT_EQ(dialogs.Boxes().Calls.back().Icon, MessageIcon::Information);
  EXPECT_EQ(dialogs.Boxes().Calls.back().Buttons, MessageButtons::Ok);

  b.SetUseDataOf(&a);
  a.SetUseDataOf(&owner);
  EXPECT_EQ(LastMessage(), "Chart: Cannot use foreign data. Other charts are using my own data.");
  EXPECT_EQ(a.UseDataOf(), nullptr);

  TChartControl c, d, e;
  c.SetUseDataOf(&owner);
  d.SetUseDataOf(&owner);
  e.SetUseDataOf(&owner);
  const std::size_t before = dialogs.Boxes().Calls.size();
  TChartControl fourth, fifth;
  fourth.SetUseDataOf(&owner);
  EXPECT_EQ(dialogs.Boxes().Calls.size(), before);
  fifth.SetUseDataOf(&c);  // c's owner is full
  EXPECT_EQ(LastMessage(), "Chart: Max. number of data shares exceeded");
  EXPECT_EQ(fifth.UseDataOf(), nullptr);
  EXPECT_EQ(owner.DataUsers().size(), 4u);
  // Leave before the owner goes away in reverse declaration order.
  for (TChartControl* user : {&c, &d, &e, &fourth}) user->SetUseDataOf(nullptr);
}

TEST_F(DataSharingTest, AChartThatGoesAwayLeavesItsGroupIntact) {
  owner.DrawTo(1, 1);
  auto user = std::make_unique<TChartControl>();
  user->SetUseDataOf(&owner);
  user.reset();
  EXPECT_TRUE(owner.DataUsers().empty());

  auto shortLived = std::make_unique<TChartControl>();
  shortLived->DrawTo(5, 5);
  a.SetUseDataOf(shortLived.get());
  shortLived.reset();
  EXPECT_EQ(a.UseDataOf(), nullptr);
  ASSERT_EQ(a.ItemCount(), 1);
  EXPECT_EQ(a.Item(0).X, 5);
}

}  // namespace
}  // namespace kurvex
