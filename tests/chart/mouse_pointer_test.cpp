// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QBitmap>
#include <QCursor>
#include <QEvent>
#include <QImage>

#include <set>
#include <vector>

#include "chart/chartcursors.h"
#include "platform/windows/cursor.h"
#include "tests/chart/mouse_fixture.h"

namespace kurvex::test {
namespace {

using MousePointerTest = MouseChartTest;

struct MoveReport {
  bool inChart;
  TShiftState shift;
  double x, y;
};

TEST_F(MousePointerTest, EveryMoveIsReportedInsideAndOutsideThePlotArea) {
  std::vector<MoveReport> reports;
  chart.OnMouseMoveInChart = [&](TObject* sender, bool in, TShiftState shift, double x, double y) {
    EXPECT_EQ(sender, &chart);
    reports.push_back({in, shift, x, y});
  };
  Hover({300, 166});
  MouseMove(W(), {550, 16}, Qt::NoButton, Qt::ShiftModifier);  // the plot area's corner is inside
  Hover({20, 166});
  MoveHeld({551, 330});
  ASSERT_EQ(reports.size(), 4u);
  EXPECT_TRUE(reports[0].inChart);
  EXPECT_DOUBLE_EQ(reports[0].x, 50);
  EXPECT_DOUBLE_EQ(reports[0].y, 50);
  EXPECT_TRUE(reports[1].inChart);
  EXPECT_EQ(reports[1].shift, ssShift);
  EXPECT_FALSE(reports[2].inChart);
  EXPECT_DOUBLE_EQ(reports[2].x, -6);  // reported outside too
  EXPECT_FALSE(reports[3].inChart);
  EXPECT_EQ(reports[3].shift, ssLeft);
  // The stored position is the last one inside.
  EXPECT_DOUBLE_EQ(chart.MousePosX(), 100);
  EXPECT_DOUBLE_EQ(chart.MousePosY(), 100);
}

TEST_F(MousePointerTest, AFixedCursorAlwaysLeavesTheControlsOwnPointer) {
  chart.SetCursor(crHandPoint);
  ASSERT_TRUE(chart.MouseCursorFixed());
  for (TMouseActMode mode : {maNone, maPan, maZoomDrag, maZoomWind}) {
    chart.SetMouseAction(mode);
    Hover({300, 166});
    EXPECT_EQ(chart.ScreenCursor(), crDefault);
    EXPECT_EQ(W()->cursor().shape(), Qt::PointingHandCursor);
  }
}

TEST_F(MousePointerTest, AFreeCursorFollowsTheModeInsideThePlotArea) {
  chart.SetCursor(crHandPoint);
  chart.SetMouseCursorFixed(false);
  const std::pair<TMouseActMode, TCursor> expected[] = {
      {maNone, crCross},           {maPan, crChartPan},       {maPanHoriz, crChartPan},
      {maPanVert, crChartPan},     {maZoomWind, crChartZoomWind}, {maZoomDrag, crChartZoomDrag},
      {maZoomWindPos, crChartZoomWindPos}, {maDragCrossH, crDefault}, {maDragLabel, crDefault},
  };
  for (const auto& [mode, cursor] : expected) {
    chart.SetMouseAction(mode);
    Hover({300, 166});
    EXPECT_EQ(chart.ScreenCursor(), cursor) << int(mode);
  }
  chart.SetMouseAction(maZoomDrag);
  Hover({300, 166});
  EXPECT_EQ(W()->cursor().shape(), Qt::BitmapCursor);
  chart.SetMouseAction(maRotate);  // leaves the pointer as it is
  Hover({310, 166});
  EXPECT_EQ(chart.ScreenCursor(), crChartZoomDrag);

  Hover({10, 166});  // outside the plot area: the control's own pointer
  EXPECT_EQ(chart.ScreenCursor(), crDefault);
  EXPECT_EQ(W()->cursor().shape(), Qt::PointingHandCursor);

  chart.SetMouseAction(maPan);
  Hover({300, 166});
  EXPECT_EQ(chart.ScreenCursor(), crChartPan);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(W(), &leave);
  EXPECT_EQ(chart.ScreenCursor(), crDefault);
  EXPECT_EQ(W()->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(MousePointerTest, TheFourChartCursorsAreDistinctImages) {
  QWidget probe;
  std::set<std::vector<uchar>> images;
  for (TCursor id : {crChartPan, crChartZoomWind, crChartZoomDrag, crChartZoomWindPos}) {
    ApplyCursor(&probe, id);
    ASSERT_EQ(probe.cursor().shape(), Qt::BitmapCursor) << id;
    const QImage bits = probe.cursor().bitmap().toImage().convertToFormat(QImage::Format_Mono);
    EXPECT_EQ(bits.width(), 32);
    images.insert(std::vector<uchar>(bits.constBits(), bits.constBits() + bits.sizeInBytes()));
  }
  EXPECT_EQ(images.size(), 4u);
}

}  // namespace
}  // namespace kurvex::test
