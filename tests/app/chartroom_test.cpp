// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>

#include <QLabel>

#include "app/chartroom.h"
#include "platform/windows/form.h"
#include "platform/windows/panel.h"
#include "tests/app/mainwindow_fixture.h"
#include "tests/support/qtapp.h"
#include "tests/support/waituntil.h"

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

class CurvesTest : public MainWindowTest {
 protected:
  QWidget* Child(const char* name) { return form->Widget()->findChild<QWidget*>(name); }
};

TEST_F(CurvesTest, NamedCurvesGetALegendBesideANarrowerChartUntilTheNextStart) {
  const int chartWidth = form->Chart1->Width();
  form->StartButton->Click();
  Receive("a: 1; b: 2; c: 3\na: 2; b: 3; c: 4\n");
  ASSERT_NE(Child("CurveLegend"), nullptr);
  EXPECT_TRUE(Child("CurveLegend")->isVisibleTo(form->Widget()));
  EXPECT_LT(form->Chart1->Width(), chartWidth);
  EXPECT_GE(Child("CurveLegend")->geometry().left(), form->Chart1->Left() + form->Chart1->Width());
  EXPECT_TRUE(Panel(1).ends_with(" · LF")) << Panel(1);
  EXPECT_EQ(form->Label10->Caption(), "2");  // curve 1

  // The check box that hides curve 2 says so to a screen reader.
  QWidget* box = Child("CurveShown2");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->accessibleName().toStdString(), "b anzeigen");

  form->StopButton->Click();
  form->StartButton->Click();
  EXPECT_EQ(form->Chart1->Width(), chartWidth);
  EXPECT_FALSE(Child("CurveLegend")->isVisibleTo(form->Widget()));
  // The next acquisition's legend has its own curves, nothing of the last.
  Receive("1;2\n3;4\n");
  EXPECT_TRUE(Child("CurveName2")->isVisibleTo(form->Widget()));
  EXPECT_FALSE(Child("CurveName3")->isVisibleTo(form->Widget()));
  const auto* name = static_cast<QLabel*>(Child("CurveName1"));
  EXPECT_TRUE(WaitUntil([&] { return name->text() == "Kanal 1"; })) << name->text().toStdString();

  // Values beyond the last curve are ignored, and said once.
  std::string line;
  for (int i = 1; i <= 17; ++i) line += std::to_string(i) + ";";
  Receive(line + "\n" + line + "\n");
  EXPECT_EQ(form->SessionState.SampleCount, 4);
  EXPECT_NE(Panel(2).find("Mehr als 16 Werte je Zeile – weitere ignoriert"), std::string::npos) << Panel(2);
  form->StopButton->Click();
}

}  // namespace
}  // namespace kurvex::test
