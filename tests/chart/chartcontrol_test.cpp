// SPDX-License-Identifier: GPL-3.0-or-later
#include <array>
#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>

#include "chart/chartcontrol.h"
#include "chart/charterror.h"
#include "chart/jointlayers.h"
#include "tests/support/qtapp.h"
#include "tests/support/recordingdialogs.h"

namespace kurvex {
namespace {

class ChartRangeTest : public test::QtAppTest {
 protected:
  ChartRangeTest() {
    // The window's geometry: 657 x 371 with rims 70, 20, 20, 40.
    chart.SetLRim(70);
    chart.SetRRim(20);
    chart.SetTRim(20);
    chart.SetBRim(40);
    chart.SetBounds(0, 0, 657, 371);
  }
  TChartControl chart;

  TPoint Pixel(int layer, double x, double y) const {
    TPoint p;
    chart.WorldToPixel(layer, x, y, p.X, p.Y);
    return p;
  }
};

TEST_F(ChartRangeTest, RangeEndsMapToThePlotAreaEdges) {
  chart.SetRange(1, 0, 0, 1000, 10);
  EXPECT_EQ(Pixel(1, 0, 0), (TPoint{70, 331}));
  EXPECT_EQ(Pixel(1, 1000, 10), (TPoint{637, 20}));

  chart.SetShadowWidth(5);
  EXPECT_EQ(Pixel(1, 1000, 0), (TPoint{632, 326}));
}

TEST_F(ChartRangeTest, PixelToWorldInvertsWorldToPixel) {
  chart.SetRange(3, -5, 100, 5, -100);  // reversed Y
  for (double x : {-5.0, -1.25, 0.0, 3.5, 5.0}) {
    for (double y : {100.0, 12.5, -60.0}) {
      const TPoint p = Pixel(3, x, y);
      double wx, wy;
      chart.PixelToWorld(3, p.X, p.Y, wx, wy);
      EXPECT_NEAR(wx, x, 10.0 / 567);
      EXPECT_NEAR(wy, y, 200.0 / 311);
    }
  }
}

TEST_F(ChartRangeTest, LogarithmicAxesMapDecadesAndPinNonPositiveValues) {
  chart.SetRange(1, 0, 1, 100, 1000);
  chart.Scale1Y().SetLogarithmic(true);
  ASSERT_TRUE(chart.Scale1Y().Logarithmic());
  EXPECT_EQ(Pixel(1, 0, 1).Y, 331);
  EXPECT_EQ(Pixel(1, 0, 1000).Y, 20);
  EXPECT_EQ(Pixel(1, 0, 10).Y, 227);  // a third of the way up
  EXPECT_EQ(Pixel(1, 0, 0).Y, chart.Height());   // bottom edge of the control
  EXPECT_EQ(Pixel(1, 0, -5).Y, chart.Height());

  chart.SetRange(1, 0, 1000, 100, 1);  // running backwards
  EXPECT_EQ(Pixel(1, 0, 0).Y, 0);

  chart.SetRange(2, 1, 0, 1e6, 1);
  chart.Scale2X().SetLogarithmic(true);
  EXPECT_NEAR(Pixel(2, 1000, 0).X, (70 + 637) / 2.0, 0.6);
  EXPECT_EQ(Pixel(2, 0, 0).X, 0);
}

TEST_F(ChartRangeTest, FarAwayValuesAreLimitedBeforeRounding) {
  chart.SetRange(1, 0, 0, 1, 1);
  EXPECT_EQ(Pixel(1, 1e300, -1e300), (TPoint{2147483647, 2147483647}));
  EXPECT_EQ(Pixel(1, -1e300, 1e300), (TPoint{-2147483647, -2147483647}));
  EXPECT_EQ(Pixel(0, 1, 1), Pixel(1, 1, 1));   // layer clamped to 1
  EXPECT_EQ(Pixel(99, 1, 1), Pixel(16, 1, 1));  // and to 16
}

TEST_F(ChartRangeTest, SetRangeWidensEmptyRangesAndStoresReversedOnes) {
  chart.SetRange(1, 5, 0, 5, 10);
  EXPECT_DOUBLE_EQ(chart.Scale1X().RangeLow(), 5 - 0.5e-10);
  EXPECT_DOUBLE_EQ(chart.Scale1X().RangeHigh(), 5 + 0.5e-10);

  chart.SetRange(1, 10, 3, 2, 1);
  EXPECT_EQ(chart.Scale1X().RangeLow(), 10);
  EXPECT_EQ(chart.Scale1X().RangeHigh(), 2);
  EXPECT_EQ(chart.Scale1Y().RangeLow(), 3);
  EXPECT_EQ(chart.Scale1Y().RangeHigh(), 1);
}

TEST_F(ChartRangeTest, ALogarithmicAxisRefusesNonPositiveEndsAndTheOtherAxisStillMoves) {
  chart.SetRange(1, 0, 0.1, 1000, 10);
  chart.Scale1Y().SetLogarithmic(true);
  chart.SetRange(1, 0, 0, 500, 200);  // Reset Axis with Graph Y min 0
  EXPECT_EQ(chart.Scale1X().RangeHigh(), 500);
  EXPECT_EQ(chart.Scale1Y().RangeLow(), 0.1);
  EXPECT_EQ(chart.Scale1Y().RangeHigh(), 10);
  chart.SetRange(1, 0, 5, 500, -1);
  chart.SetRange(1, 0, 5, 500, 1e-101);
  EXPECT_EQ(chart.Scale1Y().RangeLow(), 0.1);
  EXPECT_EQ(chart.Scale1Y().RangeHigh(), 10);
  EXPECT_NEAR(Pixel(1, 0, 1).Y, (331 + 20) / 2.0, 0.5);  // still 0.1 .. 10

  chart.SetRange(1, 0, 1, 500, 100);
  EXPECT_EQ(chart.Scale1Y().RangeLow(), 1);
  EXPECT_EQ(chart.Scale1Y().RangeHigh(), 100);
}

TEST_F(ChartRangeTest, EndsThatAreNotFiniteAreRefusedOnEveryAxis) {
  chart.SetRange(1, 0, 0, 100, 10);
  const double inf = std::numeric_limits<double>::infinity();
  chart.SetRange(1, std::nan(""), -inf, 200, 20);
  EXPECT_EQ(chart.Scale1X().RangeLow(), 0);
  EXPECT_EQ(chart.Scale1X().RangeHigh(), 100);
  EXPECT_EQ(chart.Scale1Y().RangeLow(), 0);
  EXPECT_EQ(chart.Scale1Y().RangeHigh(), 10);
  chart.SetRange(1, 0, 0, 1e4000L, 20);  // beyond double
  EXPECT_EQ(chart.Scale1X().RangeHigh(), 100);
  EXPECT_EQ(chart.Scale1Y().RangeHigh(), 20);
}

TEST_F(ChartRangeTest, LayerZeroSetsAllLayersAndOthersAreIgnored) {
  chart.SetRange(0, -1, -2, 3, 4);
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    EXPECT_EQ(chart.ScaleX(layer).RangeLow(), -1);
    EXPECT_EQ(chart.ScaleY(layer).RangeHigh(), 4);
  }
  chart.SetRange(17, 0, 0, 9, 9);
  chart.SetRange(-1, 0, 0, 9, 9);
  EXPECT_EQ(chart.ScaleX(16).RangeHigh(), 3);
}

TEST_F(ChartRangeTest, ATinyPlotAreaMapsEverythingToTheMiddle) {
  chart.SetLRim(700);  // plot width below one pixel
  EXPECT_EQ(Pixel(1, 0, 0).X, 328);  // 657 / 2 = 328.5, halves to even
  EXPECT_EQ(Pixel(1, 1e9, 0).X, 328);
}

TEST_F(ChartRangeTest, SizeIsRaisedToWhatTheRimsLeaveRoomFor) {
  chart.SetShadowWidth(4);
  chart.SetBounds(0, 0, 10, 10);
  EXPECT_EQ(chart.Width(), 70 + 20 + 4 + 80);
  EXPECT_EQ(chart.Height(), 20 + 40 + 4 + 20);
  chart.SetShadowWidth(99);
  EXPECT_EQ(chart.ShadowWidth(), 32);
  chart.SetShadowWidth(-3);
  EXPECT_EQ(chart.ShadowWidth(), 0);
}

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EChartError& e) {
    return e.what();
  }
  return "no error";
}

TEST(JointLayersTest, ValidationMessagesKeepTheOldEntry) {
  TJointLayers joints;
  int changes = 0;
  joints.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &joints);
    ++changes;
  };
  EXPECT_EQ(joints.XControlledBy(5), 5);
  joints.SetXControlledBy(2, 1);
  EXPECT_EQ(joints.XControlledBy(2), 1);
  EXPECT_EQ(changes, 1);

  EXPECT_EQ(ErrorOf([&] { joints.SetXControlledBy(1, 3); }), "Layer 1 is joined by other layers (2)");
  joints.SetXControlledBy(9, 1);
  EXPECT_EQ(ErrorOf([&] { joints.SetXControlledBy(1, 3); }), "Layer 1 is joined by other layers (2, 9)");
  EXPECT_EQ(ErrorOf([&] { joints.SetXControlledBy(3, 2); }), "Destination layer 2 is already joined");
  EXPECT_EQ(ErrorOf([&] { joints.SetYControlledBy(4, 17); }), "Destination layer 17 is out of range");
  EXPECT_EQ(ErrorOf([&] { joints.SetYControlledBy(4, 0); }), "Destination layer 0 is out of range");
  EXPECT_EQ(joints.XControlledBy(1), 1);
  EXPECT_EQ(joints.XControlledBy(3), 3);
  EXPECT_EQ(joints.YControlledBy(4), 4);
  EXPECT_EQ(changes, 2);

  // X and Y joins are separate; freeing a layer is always allowed.
  joints.SetYControlledBy(1, 3);
  EXPECT_EQ(joints.YControlledBy(1), 3);
  joints.SetXControlledBy(2, 2);
  EXPECT_EQ(joints.XControlledBy(2), 2);
  EXPECT_EQ(changes, 3);  // freeing fires nothing

  EXPECT_THROW(joints.SetXControlledBy(1, 3), EChartBaseError);  // still layer 9's controller
  EXPECT_THROW(joints.SetXControlledBy(5, 40), EKurvexError);
}

class JoinedChartTest : public test::QtAppTest {
 protected:
  JoinedChartTest() { chart.SetBounds(0, 0, 400, 300); }
  TChartControl chart;
};

TEST_F(JoinedChartTest, AJoinedAxisFollowsItsControllerAndIgnoresItsOwnRanges) {
  chart.SetRange(1, 0, 0, 100, 10);
  chart.SetRange(2, 5, 5, 6, 6);
  chart.JointLayers().SetXControlledBy(2, 1);
  EXPECT_EQ(chart.ScaleX(2).RangeLow(), 0);  // taken over at once
  EXPECT_EQ(chart.ScaleX(2).RangeHigh(), 100);
  EXPECT_EQ(chart.ScaleY(2).RangeHigh(), 6);  // the Y axis stays its own
  EXPECT_EQ(chart.PainterX(2).RangeHigh(), 100);

  chart.SetRange(1, -50, 0, 50, 10);
  EXPECT_EQ(chart.ScaleX(2).RangeLow(), -50);
  chart.Scale1X().SetRangeHigh(70);  // also through the property set
  EXPECT_EQ(chart.ScaleX(2).RangeHigh(), 70);

  chart.SetRange(2, 1000, 1000, 2000, 2000);  // the joined X axis ignores this
  EXPECT_EQ(chart.ScaleX(2).RangeLow(), -50);
  EXPECT_EQ(chart.ScaleY(2).RangeLow(), 1000);

  chart.SetRange(0, 3, 3, 4, 4);  // all layers: layer 2 then follows layer 1
  EXPECT_EQ(chart.ScaleX(2).RangeHigh(), 4);

  int px, py, qx, qy;
  chart.WorldToPixel(1, 3.5, 3.5, px, py);
  chart.WorldToPixel(2, 3.5, 3.5, qx, qy);
  EXPECT_EQ(px, qx);

  EXPECT_THROW(chart.JointLayers().SetXControlledBy(1, 3), EChartError);
  EXPECT_EQ(chart.ScaleX(1).RangeHigh(), 4);
}

TEST_F(JoinedChartTest, AssignedJoinsAreCopiedAndApplied) {
  chart.SetRange(3, 0, -1, 1, 1);
  chart.SetRange(4, 10, 10, 20, 20);
  TJointLayers joins;
  joins.SetYControlledBy(4, 3);
  chart.SetJointLayers(joins);
  EXPECT_EQ(chart.JointLayers().YControlledBy(4), 3);
  EXPECT_EQ(chart.ScaleY(4).RangeLow(), -1);
  EXPECT_EQ(chart.ScaleX(4).RangeLow(), 10);
}

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
