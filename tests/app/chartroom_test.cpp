// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/chartroom.h"

#include "platform/windows/form.h"
#include "platform/windows/panel.h"
#include "tests/support/qtapp.h"

namespace kurvex::test {
namespace {

struct Bounds {
  int left, top, width, height;
  bool operator==(const Bounds&) const = default;
};
Bounds BoundsOf(const TWinControl& c) { return {c.Left(), c.Top(), c.Width(), c.Height()}; }

// The chart where the window puts it, a column as wide as the legend and a
// strip as high as the closer-look panel.
class ChartRoomTest : public QtAppTest {
 protected:
  ChartRoomTest() {
    form.SetBounds(0, 0, 900, 575);
    chart.SetBounds(232, 119, 657, 371);
    chart.SetAnchors(akLeft | akTop | akRight | akBottom);
    form.Show();
  }
  TForm form;
  TChartControl chart{&form};
  TPanel column{&form};
  TPanel strip{&form};
  TChartRoom room{chart};
};

TEST_F(ChartRoomTest, ColumnAndStripShareTheRoomInEitherOrderAndGiveItBackWhole) {
  for (bool columnFirst : {true, false}) {
    SCOPED_TRACE(columnFirst ? "column first" : "strip first");
    room.ShowRightColumn(column, 190, columnFirst);
    room.ShowBottomStrip(strip, 96, true);
    room.ShowRightColumn(column, 190, true);
    EXPECT_EQ(BoundsOf(chart), (Bounds{232, 119, 463, 275}));
    EXPECT_EQ(BoundsOf(column), (Bounds{699, 119, 190, 275})) << "beside the chart, not beside the strip";
    EXPECT_EQ(BoundsOf(strip), (Bounds{232, 394, 463, 96}));
    EXPECT_TRUE(column.Visible() && strip.Visible());

    room.ShowRightColumn(column, 190, false);
    EXPECT_EQ(BoundsOf(strip), (Bounds{232, 394, 657, 96})) << "the strip follows the chart's width";
    room.ShowBottomStrip(strip, 96, false);
    EXPECT_EQ(BoundsOf(chart), (Bounds{232, 119, 657, 371}));
    EXPECT_FALSE(column.Visible() || strip.Visible());
  }
}

TEST_F(ChartRoomTest, AWindowResizedMeanwhileGetsItsWholeChartBack) {
  room.ShowRightColumn(column, 190, true);
  room.ShowBottomStrip(strip, 96, true);
  form.SetBounds(0, 0, 1000, 675);
  room.ShowBottomStrip(strip, 96, false);
  room.ShowRightColumn(column, 190, false);
  EXPECT_EQ(BoundsOf(chart), (Bounds{232, 119, 757, 471}));
}

}  // namespace
}  // namespace kurvex::test
