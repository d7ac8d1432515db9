// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <vector>

#include "app/closer/closertexts.h"
#include "app/closer/historyseries.h"
#include "app/closer/itemseries.h"
#include "app/closer/markerdelta.h"
#include "tests/support/qtapp.h"

namespace kurvex::test {
namespace {

constexpr auto kNone = std::pair<std::int64_t, std::int64_t>{1, 0};

// Normal draws sample 1 at X = 0 and sample n ≥ 2 at X = n; Trend and an
// opened recording draw sample n at X = n, from the first sample still held.
TEST(SampleAxisTest, TheNearestSampleAndTheSamplesOfARangeFollowWhereTheChartDrawsThem) {
  const auto normal = TSampleAxis::NormalStart, numbers = TSampleAxis::Numbers;
  EXPECT_EQ(NearestNumber(normal, -7, 1, 50), 1);
  EXPECT_EQ(NearestNumber(normal, 0.99, 1, 50), 1);
  EXPECT_EQ(NearestNumber(normal, 1.01, 1, 50), 2);  // nearer to X = 2 than to X = 0
  EXPECT_EQ(NearestNumber(normal, 2.49, 1, 50), 2);
  EXPECT_EQ(NearestNumber(normal, 2.51, 1, 50), 3);
  EXPECT_EQ(NearestNumber(normal, 1e300, 1, 50), 50);
  EXPECT_EQ(NearestNumber(normal, 0.2, 1, 1), 1);
  EXPECT_EQ(NearestNumber(numbers, 0.2, 1, 50), 1);
  EXPECT_EQ(NearestNumber(numbers, 17.6, 1, 50), 18);
  EXPECT_EQ(NearestNumber(numbers, 3, 4097, 9000), 4097);  // the oldest have left the history
  EXPECT_EQ(NearestNumber(numbers, -1e300, 4097, 9000), 4097);
  EXPECT_EQ(NearestNumber(numbers, std::nan(""), 1, 50), 0);
  EXPECT_EQ(NearestNumber(numbers, 5, 1, 0), 0);

  EXPECT_EQ(NumbersBetween(normal, 0, 0, 1, 50), (std::pair<std::int64_t, std::int64_t>{1, 1}));
  EXPECT_EQ(NumbersBetween(normal, 0.5, 1.5, 1, 50), kNone);  // X = 1 holds no sample in Normal
  EXPECT_EQ(NumbersBetween(normal, -1, 3.7, 1, 50), (std::pair<std::int64_t, std::int64_t>{1, 3}));
  EXPECT_EQ(NumbersBetween(normal, 0.5, 100, 1, 50), (std::pair<std::int64_t, std::int64_t>{2, 50}));
  EXPECT_EQ(NumbersBetween(numbers, 2.5, 5.5, 1, 50), (std::pair<std::int64_t, std::int64_t>{3, 5}));
  EXPECT_EQ(NumbersBetween(numbers, 60, 70, 1, 50), kNone);
  EXPECT_EQ(NumbersBetween(numbers, 5, 4, 1, 50), kNone);
}

// A history standing for an opened recording (X = n), its oldest samples
// dropped: the readout reads value and time, the keys stop at the ends.
TEST(HistorySeriesTest, ReadsTheHeldSamplesAndStopsAtTheirEnds) {
  THistory history(std::size_t{1} << 30, 64);
  for (std::int64_t n = 1; n <= 300; ++n) {
    const float v = static_cast<float>(n) / 4;
    history.Append(1000 * n, {&v, 1}, 1);
  }
  const THistorySeries series(history, TSampleAxis::Numbers, 0);
  const TPickedSample picked = series.Nearest(41.7);
  EXPECT_EQ(picked.Number, 42);
  EXPECT_EQ(picked.X, 42);
  EXPECT_EQ(picked.Value, 10.5f);
  EXPECT_EQ(picked.WallNs, 42000);
  EXPECT_EQ(series.Step(42, -100).Number, 1);
  EXPECT_EQ(series.Step(42, 1000).Number, 300);
  EXPECT_FALSE(series.At(301).Valid());
  const THistorySummary s = series.Summary(9.5, 12);
  EXPECT_EQ(s.Count, 3);
  EXPECT_EQ(s.Min, 2.5f);
  EXPECT_DOUBLE_EQ(s.Mean, 2.75);
  EXPECT_TRUE(std::isnan(THistorySeries(history, TSampleAxis::Numbers, 3).At(5).Value))
      << "a curve the history does not have reads as a gap";
}

// A loaded graph file: only the chart's line items, two curves in turn, the
// points numbered among all line items, out of X order in places.
class ItemSeriesTest : public QtAppTest {
 protected:
  ItemSeriesTest() {
    chart.SetDataCurve(0);
    chart.MoveTo(0, 10);  // 1
    chart.SetDataCurve(1);
    chart.MoveTo(0, -1);  // 2
    chart.SetDataCurve(0);
    chart.DrawTo(2, 20);  // 3
    chart.SetDataCurve(1);
    chart.DrawTo(2, -2);  // 4
    chart.SetDataCurve(0);
    chart.DrawTo(5, 50);  // 5
    chart.DrawTo(3, 30);  // 6: drawn back
  }
  TChartControl chart;
};

TEST_F(ItemSeriesTest, PicksTheNearestPointOfItsCurveByX) {
  const TItemSeries first(chart, 0), second(chart, 1);
  EXPECT_EQ(first.Nearest(-3).Number, 1);
  EXPECT_EQ(first.Nearest(2.4).Number, 3);
  EXPECT_EQ(first.Nearest(2.6).Number, 6);
  EXPECT_EQ(first.Nearest(4.1).Value, 50);
  EXPECT_EQ(second.Nearest(1.2).Number, 4);
  EXPECT_FALSE(second.Nearest(1.2).WallNs) << "a graph file keeps no times";
  EXPECT_EQ(first.Step(3, 1).Number, 6) << "the keys step along X";
  EXPECT_EQ(first.Step(6, 5).Number, 5);
  EXPECT_FALSE(first.At(2).Valid()) << "number 2 is the other curve's";
  const THistorySummary s = first.Summary(1, 4);
  EXPECT_EQ(s.Count, 2);
  EXPECT_DOUBLE_EQ(s.Mean, 25);
  EXPECT_FALSE(TItemSeries(TChartControl(), 0).Nearest(1).Valid());
}

TEST(MarkerDeltaTest, DifferencesAndSlopesAgreeWithTheDirectOnesAlsoAtTheFloatLimit) {
  const TPickedSample a{10, 10, 3.4e38f, 5'000'000'000}, b{30, 30, -3.4e38f, 7'500'000'000};
  const TMarkerDelta d = DeltaOf(a, b);
  EXPECT_EQ(d.Samples, 20);
  EXPECT_EQ(d.Value, -2.0 * double{3.4e38f});  // beyond a float, exact in double
  EXPECT_DOUBLE_EQ(*d.Seconds, 2.5);
  EXPECT_DOUBLE_EQ(*d.SlopePerSample, -2.0 * double{3.4e38f} / 20);
  EXPECT_DOUBLE_EQ(*d.SlopePerSecond, -2.0 * double{3.4e38f} / 2.5);

  const TMarkerDelta tiny = DeltaOf({4, 4, 1e-38f, std::nullopt}, {2, 2, 3e-38f, 9});
  EXPECT_EQ(tiny.Samples, -2);
  EXPECT_DOUBLE_EQ(tiny.Value, double{3e-38f} - double{1e-38f});
  EXPECT_DOUBLE_EQ(*tiny.SlopePerSample, (double{3e-38f} - double{1e-38f}) / -2);
  EXPECT_FALSE(tiny.Seconds) << "one time unknown";
  EXPECT_FALSE(tiny.SlopePerSecond);

  const TMarkerDelta same = DeltaOf({7, 7, 1, 100}, {7, 7, 1, 100});
  EXPECT_FALSE(same.SlopePerSample);
  EXPECT_FALSE(same.SlopePerSecond) << "one batch: no time between them";
  EXPECT_EQ(*same.Seconds, 0);
}

// Times of day in a fixed zone, whatever the machine's.
class CloserTextsTest : public ::testing::Test {
 protected:
  CloserTextsTest() {
    setenv("TZ", "UTC", 1);
    tzset();
  }
  ~CloserTextsTest() override {
    unsetenv("TZ");
    tzset();
  }
  // 2026-12-07 10:15:00.123 UTC
  static constexpr std::int64_t kTime = 1'796'638'500'123'000'000;
};

TEST_F(CloserTextsTest, TheReadoutSaysNumberValueAndTimeInTheWindowsLocale) {
  EXPECT_EQ(SampleText({12345, 12345, 6.992f, kTime}, ','), "Sample 12.345 · 6,992 · 10:15:00,123");
  EXPECT_EQ(SampleText({7, 7, -3.4e38f, std::nullopt}, '.'), "Sample 7 · -3.4E38");
  EXPECT_EQ(SampleText({1, 1, 2.5f, 0}, ','), "Sample 1 · 2,5 · 00:00:00,000") << "0 is a time too";
  EXPECT_EQ(SampleText({7, 7, std::numeric_limits<float>::quiet_NaN(), std::nullopt}, ','), "Sample 7 · –");
  EXPECT_EQ(FigureText(-2.0 * double{3.4e38f}, ','), "-6,7999999E38");
  EXPECT_EQ(FigureText(1e39, '.'), "1E39");
  EXPECT_EQ(FigureText(1e-38, ','), "1E-38");
  EXPECT_EQ(FigureText(std::nullopt, ','), "–");
  EXPECT_EQ(SecondsText(2.5, ','), "2,500 s");
  EXPECT_EQ(SecondsText(-0.0015, '.'), "-0.002 s");
}

TEST_F(CloserTextsTest, TheTableHasAHeaderAndOneRowOfWhatIsShownForASpreadsheet) {
  TCloserFigures figures;
  figures.Readout = {12345, 12345, 6.992f, kTime};
  EXPECT_EQ(FiguresTable(figures, ','), "Sample\tWert\tZeit\n12345\t6,992\t10:15:00,123\n");

  figures.Readout = {};
  figures.MarkerA = {1, 0, 2.5f, std::nullopt};
  figures.MarkerB = {5, 5, 4.5f, std::nullopt};
  figures.Statistics = THistoryStatistics{5, -1, 4.5, 2, 0.5, 5.5};
  EXPECT_EQ(FiguresTable(figures, ','),
            "Sample A\tWert A\tZeit A\tSample B\tWert B\tZeit B\tΔ Samples\tΔ Wert\tΔ Zeit (s)\t"
            "Steigung pro Sample\tSteigung pro s\tAnzahl\tMinimum\tMaximum\tMittelwert\tStandardabweichung\t"
            "Spitze-Spitze\n"
            "1\t2,5\t\t5\t4,5\t\t4\t2\t\t0,5\t\t5\t-1\t4,5\t2\t0,5\t5,5\n");
}

}  // namespace
}  // namespace kurvex::test
