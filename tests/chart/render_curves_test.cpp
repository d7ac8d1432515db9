// SPDX-License-Identifier: GPL-3.0-or-later
#include <array>
#include <random>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chart/renderitems.h"
#include "platform/drawing/bitmap.h"
#include "tests/chart/render_fixture.h"
#include "tests/support/image.h"

namespace kurvex::test {
namespace {

constexpr TColor kCurveColors[] = {clRed, clGreen, clBlue};

// Three curves as flat lines on a 100 × 100 plot whose world units are
// pixels: curve c lies at world y 80 - 30 c, plot row 20 + 30 c.
class RenderCurvesTest : public WindowChartTest {
 protected:
  RenderCurvesTest() {
    chart.SetBounds(0, 0, 190, 160);
    chart.SetRange(0, 0, 0, 100, 100);
  }

  static int Row(int curve) { return 20 + 30 * curve; }

  void Add(std::uint8_t curve, TItemKind kind, double x) {
    chart.SetDataCurve(curve);
    chart.SetDataColor(kCurveColors[curve]);
    const double y = 100 - Row(curve);
    kind == ikMoveTo ? chart.MoveTo(x, y) : chart.DrawTo(x, y);
  }

  TBitmap Draw(bool blackAndWhite = false) {
    TBitmap bitmap(101, 101);
    TItemRenderer(bitmap.Canvas(), chart, 0, 0, blackAndWhite).Render(&chart.Item(0), chart.ItemCount());
    return bitmap;
  }

  // Every pixel of the curve's colour lies on its row, and the row shows
  // exactly `expected` there.
  void ExpectCurve(const TBitmap& bitmap, int curve, const std::string& expected) {
    const TColor color = kCurveColors[curve];
    EXPECT_EQ(RowText(bitmap, Row(curve), 0, 101, color), expected) << "curve " << curve;
    EXPECT_EQ(CountPixels(bitmap, color), CountPixels(bitmap, color, TRect{0, Row(curve), 101, Row(curve) + 1}))
        << "curve " << curve << " leaves its row";
  }

  // A polyline from column `from` to column `to`, whose end pixel stays
  // undrawn.
  static std::string Run(int from, int to) {
    std::string row(101, '.');
    for (int x = from; x < to; ++x) row[x] = '#';
    return row;
  }

  // Curve 0 begins with a MoveTo, curves 1 and 2 with a DrawTo; curve 1
  // has a gap from 50 to 60.
  void AddInterleaved() {
    Add(0, ikMoveTo, 10);
    for (int x = 10; x <= 90; x += 10) {
      if (x > 10) Add(0, ikDrawTo, x);
      Add(1, x == 60 ? ikMoveTo : ikDrawTo, x);
      Add(2, ikDrawTo, x);
    }
  }
  // Curve 1's row: the DrawTo at 50 ends the first part.
  static std::string GapRow() {
    std::string row = Run(10, 90);
    return row.replace(50, 10, std::string(10, '.'));
  }
};

TEST_F(RenderCurvesTest, InterleavedCurvesNeitherConnectNorBridgeAGapAndAHiddenOneShowsWholeAgain) {
  AddInterleaved();
  const TBitmap bitmap = Draw();
  ExpectCurve(bitmap, 0, Run(10, 90));
  ExpectCurve(bitmap, 1, GapRow());
  ExpectCurve(bitmap, 2, Run(10, 90));

  chart.ShowGraph();
  chart.SetCurveVisible(1, false);  // requests the picture itself
  EXPECT_FALSE(chart.CurveVisible(1));
  const TBitmap hidden = chart.PlotBitmap();
  EXPECT_EQ(CountPixels(hidden, kCurveColors[1]), 0);
  ExpectCurve(hidden, 2, Run(10, 90));

  chart.SetCurveVisible(1, true);
  ExpectCurve(chart.PlotBitmap(), 1, GapRow());
}

TEST_F(RenderCurvesTest, ASampleWithoutNeighboursIsADotInItsCurvesInkAndALineOfTwoStaysALine) {
  // Curve 0: a lone sample at 10, then a line of two from 30 to 50. Curve 1
  // reports every other sample, each alone; its last point is the last item.
  Add(0, ikMoveTo, 10);
  Add(1, ikMoveTo, 20);
  Add(0, ikMoveTo, 30);
  Add(1, ikMoveTo, 40);
  Add(0, ikDrawTo, 50);
  Add(1, ikMoveTo, 60);
  // A dot is 3 × 3 pixels around its point.
  const auto dots = [](std::string row, std::initializer_list<int> centres) {
    for (int x : centres) row.replace(x - 1, 3, "###");
    return row;
  };
  const std::string none(101, '.');
  for (bool blackAndWhite : {false, true}) {
    SCOPED_TRACE(blackAndWhite ? "black and white" : "colour");
    const TBitmap bitmap = Draw(blackAndWhite);
    const TColor ink0 = blackAndWhite ? clBlack : kCurveColors[0], ink1 = blackAndWhite ? clBlack : kCurveColors[1];
    EXPECT_EQ(RowText(bitmap, Row(0), 0, 101, ink0), dots(Run(30, 50), {10}));
    for (int row : {Row(0) - 1, Row(0) + 1}) EXPECT_EQ(RowText(bitmap, row, 0, 101, ink0), dots(none, {10}));
    for (int row : {Row(1) - 1, Row(1), Row(1) + 1})
      EXPECT_EQ(RowText(bitmap, row, 0, 101, ink1), dots(none, {20, 40, 60}));
    EXPECT_EQ(CountPixels(bitmap, ink0) + (blackAndWhite ? 0 : CountPixels(bitmap, ink1)), 9 + 20 + 3 * 9);
  }
  chart.SetCurveVisible(1, false);
  EXPECT_EQ(CountPixels(Draw(), kCurveColors[1]), 0);
}

TEST_F(RenderCurvesTest, TrendRemovalLetsEveryCurveStartAtItsFirstRemainingPoint) {
  // As the live plot adds them: a MoveTo per curve at 0, then one DrawTo
  // per curve and sample.
  for (std::uint8_t c = 0; c < 3; ++c) Add(c, ikMoveTo, 0);
  for (int x = 10; x <= 90; x += 10)
    for (std::uint8_t c = 0; c < 3; ++c) Add(c, ikDrawTo, x);
  for (int i = 0; i < 3 + 3 * 3; ++i) chart.RemoveFirstItem();  // the MoveTos and samples 10..30
  ASSERT_EQ(chart.Item(0).Kind, ikDrawTo);
  const TBitmap bitmap = Draw();
  // No line comes from the plot's corner to the first kept point.
  for (int c = 0; c < 3; ++c) ExpectCurve(bitmap, c, Run(40, 90));
}

TEST_F(RenderCurvesTest, DenseInterleavedCurvesDrawAsEachOneAlone) {
  // Many points per pixel column: batches of 200 points and the column
  // reduction must each keep to one curve.
  std::mt19937 random(5);
  std::uniform_real_distribution<double> noise(-8, 8);
  std::vector<std::array<double, 3>> samples;
  for (int i = 0; i <= 3000; ++i) samples.push_back({noise(random), noise(random), noise(random)});
  const auto add = [&](std::uint8_t curve, std::size_t i) {
    chart.SetDataCurve(curve);
    chart.SetDataColor(kCurveColors[curve]);
    const double x = i / 30.0, y = 100 - Row(curve) + samples[i][curve];
    i == 0 ? chart.MoveTo(x, y) : chart.DrawTo(x, y);
  };
  for (std::uint8_t c = 0; c < 3; ++c)
    for (std::size_t i = 0; i < samples.size(); ++i) add(c, i);
  const TBitmap apart = Draw(), apartWithoutColour = Draw(true);
  chart.ClearGraph();
  for (std::size_t i = 0; i < samples.size(); ++i)
    for (std::uint8_t c = 0; c < 3; ++c) add(c, i);
  EXPECT_TRUE(SameImage(Draw(), apart, "dense-interleaved-curves"));
  EXPECT_TRUE(SameImage(Draw(true), apartWithoutColour, "dense-interleaved-curves-bw"));
}

TEST_F(RenderCurvesTest, WithoutColourEveryCurveHasItsOwnDashes) {
  for (std::uint8_t c = 0; c < 3; ++c) {
    Add(c, ikMoveTo, 0);
    Add(c, ikDrawTo, 100);
  }
  // Two more curves at rows 5 and 95, beyond the three colours.
  for (std::uint8_t c : {3, 4}) {
    chart.SetDataCurve(c);
    chart.MoveTo(0, c == 3 ? 95 : 5);
    chart.DrawTo(100, c == 3 ? 95 : 5);
  }
  const TBitmap bitmap = Draw(true);
  EXPECT_EQ(RowText(bitmap, Row(0), 0, 101), Run(0, 100));  // solid, as a single curve
  std::set<std::string> patterns;
  for (int row : {Row(1), Row(2), 5, 95}) {
    const std::string text = RowText(bitmap, row, 0, 101);
    EXPECT_NE(text.find('.'), std::string::npos) << "row " << row;
    EXPECT_NE(text.find('#'), std::string::npos) << "row " << row;
    patterns.insert(text);
  }
  EXPECT_EQ(patterns.size(), 4u);
}

}  // namespace
}  // namespace kurvex::test
