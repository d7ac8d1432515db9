// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "chart/chartcontrol.h"
#include "chart/charterror.h"
#include "chart/jointlayers.h"
#include "tests/support/qtapp.h"

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

TEST_F(ChartRangeTest, AxisPropertyChangesRemapTheLayer) {
  chart.SetRange(1, 0, 0, 100, 10);
  chart.Scale1X().SetRangeHigh(200);
  EXPECT_EQ(Pixel(1, 200, 0).X, 637);
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

}  // namespace
}  // namespace kurvex
