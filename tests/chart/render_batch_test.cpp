// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <limits>
#include <random>

#include "chart/curvesource.h"
#include "chart/polylinebatch.h"
#include "chart/renderitems.h"
#include "platform/drawing/bitmap.h"
#include "tests/chart/render_fixture.h"
#include "tests/support/image.h"
#include "tests/support/recordingcanvas.h"

namespace kurvex::test {
namespace {

using RenderBatchTest = WindowChartTest;

std::vector<CanvasCall> RenderRecorded(const TChartControl& chart) {
  TRecordingCanvas canvas(kWindowChartWidth, kWindowChartHeight);
  TItemRenderer(canvas, chart, 0, 0, false).Render(chart.Store().Items(), chart.ItemCount());
  return canvas.CallsOf("Polyline");
}

TEST_F(RenderBatchTest, LongRunsAreDrawnAsPolylinesOf200PointsSharingTheirEnds) {
  chart.SetRange(1, 0, 0, 450, 450);  // more than a pixel per step: no column shares two points
  chart.MoveTo(0, 0);
  for (int i = 1; i <= 450; ++i) chart.DrawTo(i, i % 7);
  const std::vector<CanvasCall> lines = RenderRecorded(chart);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].Points.size(), 200u);
  EXPECT_EQ(lines[1].Points.size(), 200u);
  EXPECT_EQ(lines[2].Points.size(), 53u);
  EXPECT_EQ(lines[1].Points.front(), lines[0].Points.back());
  EXPECT_EQ(lines[2].Points.front(), lines[1].Points.back());
  int px, py;
  chart.WorldToPixel(1, 0, 0, px, py);
  EXPECT_EQ(lines[0].Points.front(), (TPoint{px - chart.LRim(), py - chart.TRim()}));
}

TEST_F(RenderBatchTest, PenChangesEndAPolylineAndOnlyRealChangesCount) {
  chart.SetRange(1, 0, 0, 10, 10);
  chart.MoveTo(0, 0);
  chart.DrawTo(1, 1);
  chart.DrawTo(2, 2);
  chart.SetDataColor(clRed);
  chart.DrawTo(3, 3);
  chart.SetDataColor(clRed);  // the same colour again: no new polyline
  chart.DrawTo(4, 4);
  chart.SetLineWidth(3);
  chart.DrawTo(5, 5);
  chart.SetPenStyle(psDash);
  chart.DrawTo(6, 6);
  const std::vector<CanvasCall> lines = RenderRecorded(chart);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].Points.size(), 3u);
  EXPECT_EQ(lines[0].Pen.Color, clBlack);
  EXPECT_EQ(lines[1].Points.size(), 3u);
  EXPECT_EQ(lines[1].Points.front(), lines[0].Points.back());
  EXPECT_EQ(lines[1].Pen.Color, clRed);
  EXPECT_EQ(lines[2].Pen.Width, 3);
  EXPECT_EQ(lines[2].Points.front(), lines[1].Points.back());
  EXPECT_EQ(lines[3].Pen.Style, psDash);
}

TEST_F(RenderBatchTest, FarPointsAreLimitedBeforeTheyAreShifted) {
  chart.SetRange(1, 0, 0, 10, 10);
  chart.MoveTo(0, 0);
  chart.DrawTo(1e12, -1e12);
  chart.DrawTo(std::numeric_limits<double>::quiet_NaN(), 5);
  const std::vector<CanvasCall> lines = RenderRecorded(chart);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].Points[1], (TPoint{30000 - chart.LRim(), 30000 - chart.TRim()}));
  EXPECT_EQ(lines[0].Points.size(), 2u);  // NaN has no pixel: left out
}

std::vector<TPoint> Reduced(const std::vector<TPoint>& points) {
  std::vector<TPoint> out;
  const auto put = [&](TPoint p) { out.push_back(p); };
  TColumnReducer reducer;
  reducer.Start(points.front());
  for (std::size_t i = 1; i < points.size(); ++i) reducer.Add(points[i], put);
  reducer.Finish(put);
  return out;
}

// Draws `points` once as they are and once reduced; both must give the
// same pixels.
::testing::AssertionResult ReductionKeepsPixels(const std::vector<TPoint>& points, const std::string& name) {
  TBitmap full(40, 60), reduced(40, 60);
  const std::vector<TPoint> shorter = Reduced(points);
  if (shorter.size() > points.size()) return ::testing::AssertionFailure() << "reduction grew";
  full.Canvas().Polyline(points.data(), static_cast<int>(points.size()));
  reduced.Canvas().Polyline(shorter.data(), static_cast<int>(shorter.size()));
  return SameImage(reduced, full, name);
}

TEST(ColumnReduction, KeepsEveryPixelOfDensePolylines) {
  // Hand-picked runs whose last row is or is not covered by an earlier step.
  EXPECT_TRUE(ReductionKeepsPixels({{5, 10}, {5, 20}, {5, 12}, {5, 30}, {5, 30}, {5, 20}}, "interior-end"));
  EXPECT_TRUE(ReductionKeepsPixels({{5, 10}, {5, 30}, {5, 10}, {5, 25}, {5, 30}}, "covered-top"));
  EXPECT_TRUE(ReductionKeepsPixels({{5, 20}, {5, 22}, {5, 21}, {5, 23}, {5, 30}}, "fresh-top"));
  EXPECT_TRUE(ReductionKeepsPixels({{5, 20}, {5, 2}, {5, 40}, {5, 22}, {5, 2}}, "covered-bottom"));
  EXPECT_TRUE(ReductionKeepsPixels({{5, 20}, {5, 19}, {5, 22}, {5, 18}, {5, 5}}, "fresh-bottom"));
  EXPECT_TRUE(ReductionKeepsPixels({{5, 9}, {5, 9}, {5, 9}, {5, 9}, {5, 9}, {6, 9}}, "flat"));

  std::mt19937 random(7);
  std::uniform_int_distribution<int> row(-5, 64), stay(0, 9);
  for (int trial = 0; trial < 300; ++trial) {
    std::vector<TPoint> points;
    int x = -2;
    const int count = 2 + trial % 199;
    for (int i = 0; i < count; ++i) {
      if (stay(random) > 7) ++x;  // long runs in one column
      points.push_back({x, row(random)});
    }
    ASSERT_TRUE(ReductionKeepsPixels(points, "random-" + std::to_string(trial)));
  }
}

TEST(ColumnReduction, ShrinksRunsAndLeavesStyledPensAlone) {
  std::vector<TPoint> points;
  for (int i = 0; i < 100; ++i) points.push_back({i / 50, (i * 37) % 90});
  EXPECT_LE(Reduced(points).size(), 8u);
  EXPECT_TRUE(ColumnRunsReducible(TPen{clRed, psSolid, 1, pmCopy}));
  EXPECT_FALSE(ColumnRunsReducible(TPen{clRed, psDot, 1, pmCopy}));   // the dash phase counts pixels
  EXPECT_FALSE(ColumnRunsReducible(TPen{clRed, psSolid, 2, pmCopy}));  // round wide ends
  EXPECT_FALSE(ColumnRunsReducible(TPen{clRed, psSolid, 1, pmXor}));   // overdraw toggles
}

TEST_F(RenderBatchTest, BatchedDenseRunDrawsTheSamePixelsAsOneFullPolyline) {
  TBitmap batched(300, 200), single(300, 200);
  std::vector<TPoint> points;
  std::mt19937 random(11);
  std::uniform_int_distribution<int> noise(-40, 40);
  {
    TPolylineBatch batch(batched.Canvas());
    batch.SetCurrent({0, 100});
    points.push_back({0, 100});
    for (int i = 1; i < 5000; ++i) {
      const TPoint p{i * 300 / 5000, 100 + noise(random)};
      batch.Add(&p, 1);
      points.push_back(p);
    }
    batch.Flush();
    EXPECT_EQ(batched.Canvas().PenPos(), points.back());
  }
  single.Canvas().Polyline(points.data(), static_cast<int>(points.size()));
  EXPECT_TRUE(SameImage(batched, single, "batched-dense-run"));
}

TEST_F(RenderBatchTest, TheRenderMappingGivesWorldToPixelsPixels) {
  chart.SetRange(2, -1e12, 1e-3, 1e12, 1e3);
  chart.ScaleY(2).SetLogarithmic(true);
  // Anchored X rounds from a fixed origin and takes a whole-pixel anchor
  // away: a window that starts far from 0 has a large one.
  for (const bool anchored : {false, true}) {
    chart.SetAnchoredX(anchored);
    chart.SetRange(1, anchored ? 1234 : 0, 0, anchored ? 1801 : 567, 311);  // one world unit per pixel: exact halves occur
    std::mt19937_64 random(3);
    std::uniform_real_distribution<double> near(anchored ? 1184 : -50, anchored ? 1884 : 650), far(-1e15, 1e15);
    const TPixelMapper mapper(chart);
    for (int i = 0; i < 20000; ++i) {
      const int layer = i % 3;  // 0 counts as layer 1
      double x = i % 2 ? near(random) : far(random), y = near(random);
      if (i % 5 == 0) x = std::floor(x) + 0.5;
      if (i % 7 == 0) y = std::numeric_limits<double>::quiet_NaN();
      int px, py;
      chart.WorldToPixel(layer, x, y, px, py);
      ASSERT_EQ(mapper.Map(layer, x, y), (TPoint{px, py})) << x << ", " << y << " on layer " << layer
                                                           << (anchored ? " anchored" : "");
    }
  }
}

// One curve whose sample i sits at X = i + 1, as an acquisition's history
// numbers them; NaN is a gap.
class VectorSource : public TCurveSource {
 public:
  std::vector<double> Values;

  std::size_t Curves() const override { return 1; }
  TColor CurveColor(std::size_t) const override { return clRed; }
  std::int64_t SampleCount(double from, double to) const override { return Last(to) - First(from); }
  void Points(std::size_t, double from, double to, std::vector<TSourcePoint>& out) const override {
    const std::int64_t first = std::max<std::int64_t>(First(from) - 1, 0);
    const std::int64_t last = std::min<std::int64_t>(Last(to) + 1, Size());
    for (std::int64_t i = first; i < last; ++i) out.push_back({static_cast<double>(i + 1), Values[i]});
  }
  void Columns(std::size_t, double from, double to, std::span<TColumnSpan> out) const override {
    const double w = (to - from) / out.size();
    for (std::size_t c = 0; c < out.size(); ++c) {
      TColumnSpan span{std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(), 0};
      for (std::int64_t i = First(from + c * w); i < First(from + (c + 1) * w); ++i) {
        if (std::isnan(Values[i])) continue;
        span.Min = std::min(span.Min, Values[i]);
        span.Max = std::max(span.Max, Values[i]);
        ++span.Count;
      }
      out[c] = span;
    }
  }

 private:
  std::int64_t Size() const { return static_cast<std::int64_t>(Values.size()); }
  // The first index whose X is at or after x, and the first after x.
  std::int64_t First(double x) const { return std::clamp<std::int64_t>(std::ceil(x) - 1, 0, Size()); }
  std::int64_t Last(double x) const { return std::clamp<std::int64_t>(std::floor(x), 0, Size()); }
};

class RenderSourceTest : public WindowChartTest {
 protected:
  // The same samples as the line items an acquisition adds.
  void AddAsItems(const std::vector<double>& values) {
    chart.SetDataColor(clRed);
    for (std::size_t i = 0; i < values.size(); ++i) {
      const double x = static_cast<double>(i + 1);
      i == 0 || std::isnan(values[i - 1]) ? chart.MoveTo(x, values[i]) : chart.DrawTo(x, values[i]);
    }
  }
  TBitmap Shown() {
    chart.ShowGraph();
    return chart.PlotBitmap();
  }

  VectorSource source;
};

TEST_F(RenderSourceTest, FewSamplesDrawTheSamePixelsAsTheirLineItemsAndAGapBreaksTheLine) {
  chart.SetRange(1, 0, 0, 300, 10);
  std::mt19937 random(7);
  std::uniform_real_distribution<double> value(0.5, 9.5);
  for (int i = 0; i < 290; ++i) source.Values.push_back(i % 97 == 50 ? NAN : value(random));
  AddAsItems(source.Values);
  const TBitmap items = Shown();

  chart.SetCurveSource(&source);
  const TBitmap drawn = Shown();
  EXPECT_TRUE(SameImage(drawn, items, "source"));
  // The source takes the items' place instead of drawing over them.
  chart.ClearGraph();
  chart.SetCurveSource(&source);
  EXPECT_TRUE(SameImage(Shown(), items, "source alone"));
  chart.SetCurveVisible(0, false);
  EXPECT_EQ(CountPixels(Shown(), clRed), 0);
}

TEST_F(RenderSourceTest, ASampleBetweenGapsIsADotAsItsItemIs) {
  chart.SetRange(1, 0, 0, 20, 10);
  // Samples 1, 3 and 8 have no neighbour; 5 and 6 are a line.
  source.Values = {2, NAN, 5, NAN, 7, 8, NAN, 3};
  AddAsItems(source.Values);
  const TBitmap items = Shown();
  chart.ClearGraph();
  chart.SetCurveSource(&source);
  const TBitmap drawn = Shown();
  EXPECT_TRUE(SameImage(drawn, items, "lone samples"));
  for (int n : {1, 3, 8}) {
    int x, y;
    chart.WorldToPixel(1, n, source.Values[n - 1], x, y);
    x -= chart.LRim();
    y -= chart.TRim();
    EXPECT_EQ(CountPixels(drawn, clRed, TRect{x - 1, y - 1, x + 2, y + 2}), 9) << "sample " << n;
  }
}

TEST_F(RenderSourceTest, AColumnBetweenGapsWhoseSamplesShareAPixelIsADot) {
  constexpr int kSamples = 1'000'000;
  chart.SetRange(1, 0, 0, kSamples, 10);
  source.Values.assign(kSamples, NAN);
  // Ten samples around the centre of column 200, far apart from others.
  const double perPixel = static_cast<double>(kSamples) / chart.PlotWidth();
  const int centre = static_cast<int>(200 * perPixel);
  for (int x = centre - 5; x < centre + 5; ++x) source.Values[x - 1] = 5;
  chart.SetCurveSource(&source);
  const TBitmap drawn = Shown();
  int x, y;
  chart.WorldToPixel(1, centre, 5, x, y);
  x -= chart.LRim();
  y -= chart.TRim();
  EXPECT_EQ(CountPixels(drawn, clRed, TRect{x - 1, y - 1, x + 2, y + 2}), 9);
  EXPECT_EQ(CountPixels(drawn, clRed), 9);
}

TEST_F(RenderSourceTest, ManySamplesDrawEachColumnFromItsLeastToItsGreatestValue) {
  constexpr int kSamples = 1'000'000;
  chart.SetRange(1, 0, -2, kSamples, 12);
  std::mt19937 random(11);
  std::normal_distribution<double> noise(0, 0.4);
  for (int i = 0; i < kSamples; ++i) source.Values.push_back(5 + 3 * std::sin(i * 1e-5) + noise(random));
  source.Values[400'000] = 9.9;  // one peak among a million
  chart.SetCurveSource(&source);
  const TBitmap drawn = Shown();

  // Every column holds the rows of its samples' least and greatest value
  // (and nothing beyond the joins to its neighbours).
  const int columns = chart.PlotWidth() + 1;
  std::vector<TColumnSpan> spans(columns);
  const double perPixel = static_cast<double>(kSamples) / chart.PlotWidth();
  source.Columns(0, -0.5 * perPixel, (columns - 0.5) * perPixel, spans);
  int checked = 0;
  for (int c = 1; c + 1 < columns; ++c) {
    int unused, top, bottom;
    chart.WorldToPixel(1, 0, spans[c].Max, unused, top);
    chart.WorldToPixel(1, 0, spans[c].Min, unused, bottom);
    const std::string column = ColumnText(drawn, c, 0, drawn.Height(), clRed);
    ASSERT_EQ(column[top - chart.TRim()], '#') << "column " << c;
    ASSERT_EQ(column[bottom - chart.TRim()], '#') << "column " << c;
    ++checked;
  }
  EXPECT_EQ(checked, columns - 2);
  int unused, peak;
  chart.WorldToPixel(1, 400'000, 9.9, unused, peak);
  EXPECT_NE(RowText(drawn, peak - chart.TRim(), 0, columns, clRed).find('#'), std::string::npos);
}

}  // namespace
}  // namespace kurvex::test
