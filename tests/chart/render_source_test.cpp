// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "chart/curvesource.h"
#include "tests/chart/render_fixture.h"
#include "tests/support/image.h"

namespace kurvex::test {
namespace {

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
