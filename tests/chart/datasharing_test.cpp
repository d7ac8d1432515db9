// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>

#include "chart/chartcontrol.h"
#include "tests/support/recordingdialogs.h"
#include "tests/support/qtapp.h"

namespace kurvex {
namespace {

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
