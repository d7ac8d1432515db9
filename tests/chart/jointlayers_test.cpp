// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "chart/chartcontrol.h"
#include "chart/charterror.h"
#include "chart/jointlayers.h"
#include "tests/support/qtapp.h"

namespace kurvex {
namespace {

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
