// SPDX-License-Identifier: GPL-3.0-or-later
#include <chrono>
#include <cstdint>
#include <memory>

#include <QEvent>
#include <QImage>
#include <QObject>
#include <QPaintEvent>
#include <QTimer>
#include <QWidget>

#include "chart/grid.h"
#include "chart/scrollpace.h"
#include "platform/drawing/bitmap.h"
#include "platform/windows/frameclock.h"
#include "tests/chart/render_fixture.h"
#include "tests/support/image.h"
#include "tests/support/waituntil.h"

namespace kurvex::test {
namespace {

using RenderFrameTest = WindowChartTest;

TEST_F(RenderFrameTest, ShadowAndCaptionFrameTheControl) {
  chart.SetShadowWidth(6);
  TBitmap shown = chart.ControlBitmap();
  const int w = chart.Width(), h = chart.Height();
  EXPECT_EQ(shown.Canvas().Pixel(w - 1, 0), ColorToRGB(clBtnFace));      // free corner
  EXPECT_EQ(shown.Canvas().Pixel(w - 3, h / 2), ColorToRGB(clGrayText));  // right shadow
  EXPECT_EQ(shown.Canvas().Pixel(w / 2, h - 3), ColorToRGB(clGrayText));  // bottom shadow
  EXPECT_EQ(shown.Canvas().Pixel(w - 6, h / 2), clBlack);                 // outline
  chart.SetShadowStyle(ssBox);
  shown = chart.ControlBitmap();
  EXPECT_EQ(shown.Canvas().Pixel(w - 1, h / 2), clBlack);  // the box's black pen

  chart.SetShadowWidth(0);
  chart.SetCaption("Messung");
  // Above the plot, right-justified at its right edge.
  TBitmap above = chart.ControlBitmap();
  EXPECT_GT(CountPixels(above, clBlack, {w - chart.RRim() - 60, chart.TRim() - 16, w - chart.RRim(), chart.TRim() - 1}), 0);
  EXPECT_EQ(CountPixels(above, clBlack, {w - chart.RRim() + 1, 0, w, chart.TRim() - 1}), 0);
}

TEST_F(RenderFrameTest, CrosshairsAreDrawnOverTheShownPlotOnly) {
  AcquisitionRange();
  TCrossHair& cross = chart.CrossHair1();
  cross.SetColor(clRed);
  cross.SetPos(500, 5);
  cross.SetMode(chBoth);
  int cx, cy;
  chart.WorldToPixel(1, 500, 5, cx, cy);
  const int pw = chart.PlotWidth(), ph = chart.PlotHeight();
  EXPECT_EQ(RowText(chart.ControlBitmap(), cy, chart.LRim() + 1, chart.LRim() + pw, clRed), std::string(pw - 1, '#'));
  EXPECT_EQ(ColumnText(chart.ControlBitmap(), cx, chart.TRim() + 1, chart.TRim() + ph, clRed), std::string(ph - 1, '#'));
  chart.ShowGraph();  // the fast path draws it too, into the plot bitmap
  EXPECT_EQ(CountPixels(chart.PlotBitmap(), clRed), pw - 1 + ph - 2);
  cross.SetMode(chHoriz);
  cross.SetPosY(1000);  // outside the plot: nothing
  EXPECT_EQ(CountPixels(chart.ControlBitmap(), clRed), 0);
}

TEST_F(RenderFrameTest, BackgroundPicturesFillThePlotAndABrokenOneIsDropped) {
  TempFolder folder;
  TBitmap tile(100, 50);
  tile.Canvas().Brush = TBrush{clYellow, bsSolid};
  tile.Canvas().FillRect({0, 0, 100, 50});
  tile.Canvas().SetPixel(0, 0, clRed);
  ASSERT_TRUE(tile.SaveToFile(folder.Path("tile.bmp")));
  chart.SetGridStyle(gsNone);
  chart.BackGroundImg().SetIncludePath(true);
  chart.BackGroundImg().SetFillMode(bfTile);
  chart.BackGroundImg().SetName(folder.Path("tile.bmp"));
  const int pw = chart.PlotWidth() + 1, ph = chart.PlotHeight() + 1;
  // The copies' corner pixels, but for those under the frame's left and top edges.
  EXPECT_EQ(CountPixels(chart.PlotBitmap(), clRed), ((pw - 1) / 100) * ((ph - 1) / 50));
  chart.BackGroundImg().SetFillMode(bfStretch);
  EXPECT_EQ(CountPixels(chart.PlotBitmap(), clWhite), 0);
  chart.BackGroundImg().SetFillMode(bfSimple);
  EXPECT_GT(CountPixels(chart.PlotBitmap(), clWhite), 0);

  chart.SetAutoRedraw(false);
  chart.BackGroundImg().SetIncludePath(false);
  EXPECT_EQ(chart.BackGroundImg().Name(), "tile.bmp");
  chart.SetAutoRedraw(true);
  chart.Paint();  // not found from here: dropped, the plain plot area is drawn
  EXPECT_EQ(CountPixels(chart.PlotBitmap(), clYellow), 0);
  EXPECT_EQ(chart.BackGroundImg().Name(), "");
}

TEST_F(RenderFrameTest, PlotDrawingStaysInsideThePlotArea) {
  AcquisitionRange();
  const TBitmap frame = chart.ControlBitmap();
  // Items reaching far beyond the plot, loaded as foreign items are: a wide
  // line, a filled ellipse and a filled rectangle larger than the control.
  TChartItem from = MakeItem(ikMoveTo, -1e9, 5), line = MakeItem(ikDrawTo, 1e9, 5);
  line.LineWidth = 9;
  TChartItem ellipse = MakeItem(ikEllipse, 500, 5, 5000, 50);
  ellipse.Color = ellipse.FillColor = clRed;
  TChartItem box = MakeItem(ikRect, -1000, -20, 3000, 30);
  box.Color = box.FillColor = clYellow;
  std::string bytes;
  for (const TChartItem& item : {box, ellipse, from, line})
    bytes.append(reinterpret_cast<const char*>(&item), sizeof item);
  TempFolder folder;
  WriteFileBytes(folder.Path("far.kvx"), bytes);
  chart.LoadGraph(folder.Path("far.kvx"), false);
  chart.ShowGraph();

  const QImage& shown = chart.ControlBitmap().Image();
  const int pw = chart.PlotWidth() + 1, ph = chart.PlotHeight() + 1;
  int changedOutside = 0, changedInside = 0;
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      const bool inside = x >= chart.LRim() && x < chart.LRim() + pw && y >= chart.TRim() && y < chart.TRim() + ph;
      if (shown.pixel(x, y) != frame.Image().pixel(x, y)) ++(inside ? changedInside : changedOutside);
    }
  }
  EXPECT_EQ(changedOutside, 0) << "frame and scales stay as they were";
  EXPECT_GT(changedInside, pw * ph / 2);
  // The plot picture is that area of the window's picture.
  EXPECT_EQ(chart.PlotBitmap().Image(), shown.copy(chart.LRim(), chart.TRim(), pw, ph));
}

std::vector<double> Walk(double low, double high, bool logarithmic, double step) {
  return GridValues(TGridAxis{low, high, logarithmic, step, nullptr});
}

TEST(GridValues, StepsOnLinearAndLogarithmicAxes) {
  EXPECT_EQ(Walk(0.5, 3, false, 1), (std::vector<double>{1, 2}));
  EXPECT_EQ(Walk(-2.5, 0, false, 1), (std::vector<double>{-2, -1}));
  EXPECT_EQ(Walk(0.5, 3, false, -1), (std::vector<double>{0, 1, 2}));  // linear: |step|
  EXPECT_EQ(Walk(0.3, 2000, true, -1), (std::vector<double>{1, 10, 100, 1000}));
  EXPECT_EQ(Walk(0.3, 30, true, -2), (std::vector<double>{0.5, 1, 2, 5, 10, 20}));
  const std::vector<double> nines = Walk(3, 30, true, -3);
  ASSERT_EQ(nines.size(), 9u);
  EXPECT_DOUBLE_EQ(nines.front(), 3);
  EXPECT_DOUBLE_EQ(nines.back(), 20);
  EXPECT_EQ(Walk(2, 10, true, 0.5).size(), 16u);  // a positive step counts in world units
  EXPECT_EQ(Walk(5, 50, true, -1.5).front(), 5);   // other negative steps start at the low end
}

TEST(GridValues, WalksAreBounded) {
  EXPECT_EQ(Walk(0, 1e9, false, 1).size(), static_cast<std::size_t>(kMaxGridValues));
  EXPECT_EQ(Walk(1e20, 1e21, false, 1).size(), static_cast<std::size_t>(kMaxGridValues));  // v + 1 == v
  EXPECT_TRUE(Walk(std::nan(""), 10, false, 1).empty());
}

class RenderGridTest : public WindowChartTest {};

TEST_F(RenderGridTest, TickGridFollowsThePaintersTicksBelowTheHighEnd) {
  chart.SetGridStyle(gsVertLines);
  chart.Paint();
  const TBitmap& plot = chart.PlotBitmap();  // the painters lay out their ticks as they draw
  const TScale& painter = chart.PainterX(1);
  ASSERT_GT(painter.NumTicks(), 3);
  const int row = chart.PlotHeight() / 2;
  int expected = 0;
  for (int k = 1; k <= painter.NumTicks() && painter.TickPosition(k) < 100; ++k) ++expected;
  // Grid columns inside the frame.
  EXPECT_EQ(CountPixels(plot, clSilver, {1, row, chart.PlotWidth(), row + 1}), expected - 1);  // tick 0 lies under the frame
  chart.SetGridDx(10);
  EXPECT_EQ(CountPixels(chart.PlotBitmap(), clSilver, {1, row, chart.PlotWidth(), row + 1}), 9);
  chart.SetGridDx(-4);  // ignored
  EXPECT_EQ(chart.GridDx(), 10);
}

TEST_F(RenderGridTest, TickGridCoversTheWholePlotBeyondFiftyTicksAndOnReversedAxes) {
  chart.SetGridStyle(gsLines);
  chart.Scale1X().SetMinTicks(6);  // DoubleTics: short ticks every 20, 58 of them
  chart.SetRange(1, 0, 0, 1150, 10);
  const int row = chart.PlotHeight() / 2 + 3;  // between two horizontal lines
  EXPECT_EQ(CountPixels(chart.PlotBitmap(), clSilver, {1, row, chart.PlotWidth(), row + 1}), 57);  // 20 .. 1140
  const int lastColumn = chart.PlotWidth() - 1;
  EXPECT_GT(CountPixels(chart.PlotBitmap(), clSilver, {lastColumn - 8, row, lastColumn, row + 1}), 0);

  const int column = chart.PlotWidth() / 2 + 3;
  const auto horizontalLines = [&] {
    return CountPixels(chart.PlotBitmap(), clSilver, {column, 1, column + 1, chart.PlotHeight()});
  };
  chart.SetRange(1, 0, 0, 1000, 10);
  const int upwards = horizontalLines();
  ASSERT_GT(upwards, 0);
  chart.SetRange(1, 0, 10, 1000, 0);  // Graph Y min above Graph Y max
  EXPECT_EQ(horizontalLines(), upwards);
  chart.SetRange(1, 0, 0, -1150, 10);  // a negative Graph X max
  EXPECT_EQ(CountPixels(chart.PlotBitmap(), clSilver, {1, row, chart.PlotWidth(), row + 1}), 57);
}

TEST_F(RenderGridTest, StylesAndThePointLimit) {
  chart.SetRange(1, -1, -1, 99, 99);  // no grid value under the frame
  chart.SetGridDx(2);
  chart.SetGridDy(2);
  chart.SetGridStyle(gsPoints);  // 50 × 50 grid values
  EXPECT_EQ(CountPixels(chart.PlotBitmap(), clSilver), 1000);
  chart.SetGridDx(10);
  chart.SetGridDy(25);
  chart.SetGridStyle(gsHorizLines);
  const int column = chart.PlotWidth() / 2 + 3;
  EXPECT_EQ(CountPixels(chart.PlotBitmap(), clSilver, {column, 1, column + 1, chart.PlotHeight()}), 4);  // 0, 25, 50, 75
  chart.SetGridStyle(gsDotLines);
  const int dotted = CountPixels(chart.PlotBitmap(), clSilver);
  chart.SetGridStyle(gsLines);
  const int solid = CountPixels(chart.PlotBitmap(), clSilver);
  EXPECT_GT(dotted, solid / 3);
  EXPECT_LT(dotted, solid * 2 / 3);
  chart.SetGridStyle(gsNone);
  EXPECT_EQ(CountPixels(chart.PlotBitmap(), clSilver), 0);
}

using Clock = std::chrono::steady_clock;

class RenderPacingTest : public WindowChartTest {
 protected:
  RenderPacingTest() {
    AcquisitionRange();
    chart.OnDataRendered = [this](TObject*, TCanvas&, int, int) { renders.push_back(Clock::now()); };
    // The window's first repaint is behind us.
    chart.Invalidate();
    EXPECT_TRUE(WaitUntil([&] { return !renders.empty(); }));
    renders.clear();
  }

  std::vector<Clock::time_point> renders;
};

TEST_F(RenderPacingTest, RequestsRenderNothingUntilThePictureIsRead) {
  AddSineSamples(chart);
  chart.ShowGraph();
  chart.SetRange(1, 0, 0, 500, 10);
  chart.Paint();
  EXPECT_TRUE(renders.empty());

  // Reading the picture renders the pending request, once.
  const TBitmap plot = chart.PlotBitmap();
  ASSERT_EQ(renders.size(), 1u);
  EXPECT_GT(CountPixels(plot, clBlue), 400);
  chart.ControlBitmap();
  EXPECT_EQ(renders.size(), 1u);
}

TEST_F(RenderPacingTest, RendersAreAFrameApart) {
  chart.ShowGraph();
  ASSERT_TRUE(WaitUntil([&] { return renders.size() == 1; }));
  chart.ShowGraph();
  ASSERT_TRUE(WaitUntil([&] { return renders.size() == 2; }));
  // The offscreen screen refreshes at 60 Hz: a picture every 16.7 ms.
  EXPECT_GE(renders[1] - renders[0], std::chrono::milliseconds(16));
}

// Records the rectangle of each repaint of a widget.
class RepaintWatch : public QObject {
 public:
  explicit RepaintWatch(QWidget* widget) { widget->installEventFilter(this); }
  std::vector<QRect> rects;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) rects.push_back(static_cast<QPaintEvent*>(event)->rect());
    return false;
  }
};

TEST_F(RenderPacingTest, APlotPictureReachesTheScreenAsThePlotAreaAlone) {
  RepaintWatch watch(chart.Widget());
  AddSineSamples(chart);
  chart.ShowGraph();
  ASSERT_TRUE(WaitUntil([&] { return !watch.rects.empty(); }));
  EXPECT_EQ(watch.rects.back(), QRect(chart.LRim(), chart.TRim(), chart.PlotWidth() + 1, chart.PlotHeight() + 1));

  // New scales change the frame too.
  watch.rects.clear();
  chart.SetRange(1, 0, 0, 2000, 10);
  ASSERT_TRUE(WaitUntil([&] { return !watch.rects.empty(); }));
  EXPECT_EQ(watch.rects.back(), chart.Widget()->rect());
}

TEST_F(RenderPacingTest, APacedRequestWaitsItsPaceAfterTheLastRenderButNotAReader) {
  constexpr auto kPace = std::chrono::milliseconds(120);
  chart.SetPicturePace(kPace);
  chart.ShowGraph();
  ASSERT_TRUE(WaitUntil([&] { return renders.size() == 1; }));
  chart.ShowGraph();
  ASSERT_TRUE(WaitUntil([&] { return renders.size() == 2; }));
  EXPECT_GE(renders[1] - renders[0], kPace);

  chart.ShowGraph();
  chart.ControlBitmap();
  EXPECT_EQ(renders.size(), 3u);

  // A request without a pace brings the waiting render forward.
  constexpr auto kLongPace = std::chrono::seconds(5);
  chart.SetPicturePace(kLongPace);
  chart.ShowGraph();
  chart.SetPicturePace({});
  chart.ShowGraph();
  ASSERT_TRUE(WaitUntil([&] { return renders.size() == 4; }));
  EXPECT_LT(renders[3] - renders[2], kLongPace);
}

// A slowly moving picture must not wake the window between the busy
// indicator's ticks: it takes a frame that comes anyway once its pace is up.
TEST_F(RenderPacingTest, APacedPictureTakesAFrameThatComesAnywayWithinTwiceItsPace) {
  constexpr auto kPace = std::chrono::milliseconds(150);
  // Shared with the calls each callback posts, which may run after the test.
  struct TSeen {
    bool OtherRan = false, LoopAfterOther = false, LoopAfterChart = false, SameFrame = false;
  };
  const auto seen = std::make_shared<TSeen>();
  chart.OnDataRendered = [this, seen](TObject*, TCanvas&, int, int) {
    renders.push_back(Clock::now());
    if (renders.size() != 2) return;
    seen->SameFrame = seen->SameFrame || (seen->OtherRan && !seen->LoopAfterOther);
    QTimer::singleShot(0, [seen] { seen->LoopAfterChart = true; });
  };
  TFrameRider other([this, seen] {
    seen->OtherRan = true;
    seen->SameFrame = seen->SameFrame || (renders.size() == 2 && !seen->LoopAfterChart);
    QTimer::singleShot(0, [seen] { seen->LoopAfterOther = true; });
  });
  chart.SetPicturePace(kPace);
  chart.ShowGraph();
  ASSERT_TRUE(WaitUntil([&] { return renders.size() == 1; }));
  chart.ShowGraph();
  other.RideFrameFrom(renders[0] + kPace * 3 / 2);
  ASSERT_TRUE(WaitUntil([&] { return renders.size() == 2 && seen->OtherRan; }));
  EXPECT_GE(renders[1] - renders[0], kPace);
  EXPECT_TRUE(seen->SameFrame) << "the picture woke the window for a frame of its own";
}

TEST_F(RenderPacingTest, AFullRedrawAfterAPlotRefreshStillRendersTheScales) {
  chart.ShowGraph();
  chart.SetRange(1, 0, 0, 2000, 10);  // new X labels
  TBitmap paced = chart.ControlBitmap();

  chart.SetRange(1, 0, 0, 1000, 10);
  chart.ControlBitmap();
  chart.SetRange(1, 0, 0, 2000, 10);
  chart.ControlBitmap();
  chart.ShowGraph();
  EXPECT_TRUE(SameImage(paced, chart.ControlBitmap(), "pacing-full-after-plot"));
}

using test::CountingChart;

class ChartPaintTest : public test::QtAppTest {
 protected:
  ChartPaintTest() {
    chart.SetBounds(0, 0, 300, 200);
    chart.Show();
    chart.HandleNeeded();
  }
  CountingChart chart;
};

TEST_F(ChartPaintTest, NothingPaintsBeforeTheWindowExists) {
  CountingChart hidden;
  EXPECT_TRUE(hidden.PaintSuspended());
  hidden.SetChartColor(clRed);
  EXPECT_EQ(hidden.ControlBitmap().Width(), 0);
}

TEST_F(ChartPaintTest, DrawingSettersRepaintOnlyWithAutoRedraw) {
  const int before = chart.paints;
  chart.SetChartColor(clYellow);
  EXPECT_EQ(chart.paints, before + 1);
  chart.SetAutoRedraw(false);
  chart.SetChartColor(clAqua);
  chart.SetDataColor(clRed);  // stores only, in any mode
  EXPECT_EQ(chart.paints, before + 1);
}

TEST_F(ChartPaintTest, AddingItemsNeverPaintsAndSetRangePaintsOnce) {
  const int before = chart.paints;
  chart.MoveTo(0, 0);
  for (int i = 1; i < 100; ++i) chart.DrawTo(i, i);
  chart.RemoveFirstItem();
  EXPECT_EQ(chart.paints, before);
  chart.SetRange(0, 0, 0, 10, 10);
  EXPECT_EQ(chart.paints, before + 1);
}

using std::chrono::milliseconds;

// Feeds `perSecond` samples a second for `seconds`, each moving the picture
// by `pixels`, in batches as the serial reader hands them over; returns the
// last pace.
milliseconds Feed(TScrollPace& pace, double perSecond, double pixels, double seconds, std::int64_t& nowNs) {
  milliseconds last{};
  const auto stepNs = static_cast<std::int64_t>(1e9 / perSecond);
  for (int i = 0; i < static_cast<int>(perSecond * seconds); ++i) {
    nowNs += stepNs;
    last = pace.Take(nowNs, pixels);
  }
  return last;
}

TEST(ScrollPace, WaitsForAFewPixelsAtMostAsLongAsTheTextsAndNotAtAllWhenFast) {
  TScrollPace pace;
  std::int64_t now = 1'000'000'000;
  // Unknown at first: at once.
  EXPECT_EQ(pace.Take(now, 0.57), milliseconds(0));
  // 200 samples/s at 0.567 px: 113 px/s, 4 px in 35 ms.
  EXPECT_EQ(Feed(pace, 200, 0.567, 1, now), milliseconds(35));
  // A slow curve: no longer than the texts wait.
  EXPECT_EQ(Feed(pace, 20, 0.567, 2, now), TScrollPace::kLongest);
  // A fast one: every frame of the screen.
  EXPECT_EQ(Feed(pace, 20000, 0.567, 0.5, now), milliseconds(0));
  // A new acquisition starts over.
  Feed(pace, 200, 0.567, 1, now);
  pace.Reset();
  EXPECT_EQ(pace.Take(now + 1'000'000, 0.57), milliseconds(0));
}

}  // namespace
}  // namespace kurvex::test
