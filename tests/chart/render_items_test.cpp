// SPDX-License-Identifier: GPL-3.0-or-later
#include <array>
#include <cstring>
#include <random>
#include <set>

#include "chart/marks.h"
#include "chart/renderitems.h"
#include "platform/drawing/bitmap.h"
#include "tests/chart/render_fixture.h"
#include "tests/support/image.h"
#include "tests/support/recordingcanvas.h"

namespace kurvex::test {
namespace {

// Items on a 100 × 100 plot whose world units are pixels: the control pixel
// of world (x, y) is (70 + x, 120 - y), the plot pixel (x, 100 - y).
class RenderItemsTest : public WindowChartTest {
 protected:
  RenderItemsTest() {
    chart.SetBounds(0, 0, 190, 160);
    chart.SetRange(0, 0, 0, 100, 100);
  }

  std::vector<CanvasCall> Render(std::vector<TChartItem> items, bool blackAndWhite = false) {
    TRecordingCanvas canvas(200, 200);
    TItemRenderer(canvas, chart, 0, 0, blackAndWhite).Render(items.data(), static_cast<int>(items.size()));
    return canvas.Calls;
  }

  TBitmap Draw(std::vector<TChartItem> items, bool blackAndWhite = false) {
    TBitmap bitmap(101, 101);
    TItemRenderer(bitmap.Canvas(), chart, 0, 0, blackAndWhite).Render(items.data(), static_cast<int>(items.size()));
    return bitmap;
  }
};

TEST_F(RenderItemsTest, UnknownKindsDrawNothingAndLayersOutsideTheRangeAreClamped) {
  std::vector<TChartItem> items;
  for (int kind : {0, 10, 11, 15, 200, 255}) {
    TChartItem item = MakeItem(static_cast<TItemKind>(kind), 10, 10, 20, 20);
    item.Kind = static_cast<std::uint8_t>(kind);
    items.push_back(item);
  }
  EXPECT_TRUE(Render(items).empty());

  chart.SetRange(16, 0, 0, 50, 50);  // layer 16 maps the same world twice as large
  TChartItem below = MakeItem(ikLine, 10, 10, 20, 10), above = below;
  below.Layer = 0;
  above.Layer = 99;
  const std::vector<CanvasCall> calls = Render({below, above});
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].Points, (std::vector<TPoint>{{10, 90}, {20, 90}}));  // as layer 1
  EXPECT_EQ(calls[1].Points, (std::vector<TPoint>{{20, 80}, {40, 80}}));  // as layer 16
}

TEST_F(RenderItemsTest, NaNPointsAreLeftOutAndBreakThePolyline) {
  const double nan = std::nan("");
  const std::vector<CanvasCall> lines =
      Render({MakeItem(ikMoveTo, 10, 10), MakeItem(ikDrawTo, 20, 20), MakeItem(ikDrawTo, nan, 30),
              MakeItem(ikDrawTo, 40, 40), MakeItem(ikDrawTo, 50, 30), MakeItem(ikMoveTo, 60, nan),
              MakeItem(ikDrawTo, 70, 20), MakeItem(ikDrawTo, 80, 10)});
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].Points, (std::vector<TPoint>{{10, 90}, {20, 80}}));
  EXPECT_EQ(lines[1].Points, (std::vector<TPoint>{{40, 60}, {50, 70}}));
  EXPECT_EQ(lines[2].Points, (std::vector<TPoint>{{70, 80}, {80, 90}}));

  TChartItem mark = MakeItem(ikMark, 10, nan);
  TChartItem ellipse = MakeItem(ikEllipse, 50, 50, nan, 5);
  EXPECT_TRUE(Render({MakeItem(ikLine, 10, 10, nan, 20), MakeItem(ikRect, nan, 10, 20, 20), mark, ellipse,
                      MakeItem(ikText, nan, nan)})
                  .empty());
}

TEST_F(RenderItemsTest, ShapesIncludeBothCornersAndShrinkToAPixelWhenTheyCoincide) {
  TChartItem rect = MakeItem(ikRect, 30, 10, 10, 40);
  rect.Color = clRed;
  rect.FillColor = clYellow;
  TChartItem hollow = rect;
  hollow.NoFill = 1;
  TChartItem ellipse = MakeItem(ikEllipse, 50, 50, 10, 5);
  TChartItem dot = MakeItem(ikRect, 5, 5, 5.2, 5.3);
  dot.Color = clBlue;
  const std::vector<CanvasCall> calls = Render({rect, hollow, ellipse, dot});
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].Op, "Rectangle");
  EXPECT_EQ(calls[0].Points, (std::vector<TPoint>{{10, 60}, {31, 91}}));
  EXPECT_EQ(calls[0].Pen.Color, clRed);
  EXPECT_EQ(calls[0].Brush, (TBrush{clYellow, bsSolid}));
  EXPECT_EQ(calls[1].Brush.Style, bsClear);
  EXPECT_EQ(calls[2].Op, "Ellipse");
  EXPECT_EQ(calls[2].Points, (std::vector<TPoint>{{40, 45}, {61, 56}}));
  EXPECT_EQ(calls[3].Op, "SetPixel");
  EXPECT_EQ(calls[3].Pen.Color, clBlue);

  const std::vector<CanvasCall> bw = Render({rect}, true);
  EXPECT_EQ(bw[0].Pen.Color, clBlack);
  EXPECT_EQ(bw[0].Brush.Color, clSilver);
}

TEST_F(RenderItemsTest, FramedRectanglesDrawTheirBodyAndTheFrameOfTheirStyle) {
  TChartItem item = MakeItem(ikFrameRect, 10, 10, 20, 30);
  item.FillColor = clYellow;
  item.FrameColor1 = clWhite;
  item.FrameColor2 = clGray;
  item.FrameStyle = fsLowered;
  TBitmap lowered = Draw({item});
  EXPECT_EQ(ColumnText(lowered, 10, 70, 91, clWhite), std::string(21, '#'));  // left edge, up from the bottom
  EXPECT_EQ(RowText(lowered, 70, 10, 21, clWhite), std::string(10, '#') + ".");    // top edge
  EXPECT_EQ(ColumnText(lowered, 20, 70, 91, clGray), std::string(21, '#'));  // right edge, down
  EXPECT_EQ(RowText(lowered, 90, 11, 21, clGray), std::string(10, '#'));          // bottom edge, back
  EXPECT_EQ(lowered.Canvas().Pixel(15, 80), clYellow);

  item.FrameStyle = fsRaised;
  EXPECT_EQ(Draw({item}).Canvas().Pixel(10, 80), clGray);
  item.FrameStyle = fsEngraved;
  TBitmap engraved = Draw({item});
  EXPECT_EQ(engraved.Canvas().Pixel(11, 80), clGray);   // first outline, one in
  EXPECT_EQ(engraved.Canvas().Pixel(10, 80), clWhite);  // second outline
  item.FrameStyle = 9;
  EXPECT_EQ(Draw({item}).Canvas().Pixel(10, 80), clYellow);  // no frame

  TChartItem bw = item;
  bw.FrameStyle = fsLowered;
  TBitmap silver = Draw({bw}, true);
  EXPECT_EQ(silver.Canvas().Pixel(15, 80), clSilver);
  EXPECT_EQ(silver.Canvas().Pixel(10, 80), clWhite);  // frames keep their colours
}

TEST_F(RenderItemsTest, ArrowsBarsAndRelativeLines) {
  TChartItem arrow = MakeItem(ikArrow, 10, 50, 60, 50);
  arrow.Size = 10;
  arrow.FillColor = clRed;
  std::vector<CanvasCall> calls = Render({arrow});
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].Points, (std::vector<TPoint>{{10, 50}, {60, 50}}));
  EXPECT_EQ(calls[1].Op, "Polygon");
  EXPECT_EQ(calls[1].Points, (std::vector<TPoint>{{60, 50}, {51, 47}, {51, 53}}));
  arrow.NoFill = 1;
  calls = Render({arrow});
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[2].Points, (std::vector<TPoint>{{60, 50}, {51, 53}}));
  arrow.Size = 0;
  EXPECT_EQ(Render({arrow}).size(), 1u);

  TChartItem bar = MakeItem(ikBar3D, 10, 10, 30, 40);
  bar.Size = 45;
  bar.Depth = 10;
  calls = Render({bar});
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].Points, (std::vector<TPoint>{{10, 60}, {17, 53}, {37, 53}, {30, 60}}));
  EXPECT_EQ(calls[1].Points, (std::vector<TPoint>{{37, 53}, {30, 60}, {30, 90}, {37, 83}}));
  EXPECT_EQ(calls[2].Points, (std::vector<TPoint>{{10, 60}, {31, 91}}));

  TChartItem move = MakeItem(ikMoveTo, 20, 80), rel = MakeItem(ikMoveRel, 5, 0), draw = MakeItem(ikDrawRel, 4.5, 2);
  calls = Render({move, rel, draw});
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].Points, (std::vector<TPoint>{{25, 20}, {29, 22}}));  // 4.5 rounds to even
  EXPECT_EQ(calls[1].Op, "SetPixel");                                     // the end pixel too
  EXPECT_EQ(calls[1].Points[0], (TPoint{29, 22}));
}

TEST_F(RenderItemsTest, TextsAndMarks) {
  TChartItem text = MakeItem(ikText, 50, 50);
  const char* label = "Wert";
  text.Text[0] = 4;
  std::memcpy(text.Text + 1, label, 4);
  text.Color = clRed;
  chart.SetTextAlignment(taCenter);
  std::vector<CanvasCall> calls = Render({text});
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Text, "Wert");
  EXPECT_EQ(calls[0].Points[0], (TPoint{50 - 12, 50 - 6}));
  EXPECT_EQ(calls[0].Brush.Style, bsClear);
  chart.SetTextAlignment(taRightJustify);
  chart.SetTextBkStyle(tbSolid);
  text.Text[0] = 200;  // counts as 17
  std::memset(text.Text + 1, 0xE4, 17);
  calls = Render({text});
  EXPECT_EQ(calls[0].Text.size(), 34u);  // 17 two-byte letters
  EXPECT_EQ(calls[0].Points[0].X, 50 - 34 * 6);
  EXPECT_EQ(calls[0].Brush, (TBrush{clWhite, bsSolid}));

  TChartItem pixel = MakeItem(ikMark, 10, 10), letter = MakeItem(ikMark, 20, 20);
  letter.MarkCode = 'A';
  calls = Render({pixel, letter});
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].Op, "SetPixel");
  EXPECT_EQ(calls[1].Text, "A");
  EXPECT_EQ(calls[1].Points[0], (TPoint{20 - 3, 80 - 6}));

  // Every symbol is drawn, centred, within its size.
  for (int code = 1; code <= kLastSymbolMark; ++code) {
    TChartItem mark = MakeItem(ikMark, 50, 50);
    mark.MarkCode = static_cast<std::uint8_t>(code);
    mark.Color = clRed;
    const TRect ink = InkBounds(Draw({mark}));
    const int half = 2 + (code - 1) % 4;
    EXPECT_EQ(ink.Left + ink.Right - 1, 100) << "mark " << code;
    EXPECT_EQ(ink.Top + ink.Bottom - 1, 100) << "mark " << code;
    EXPECT_LE(ink.Width(), 2 * half + 1) << "mark " << code;
    EXPECT_GE(ink.Width(), 2 * half) << "mark " << code;
  }
}

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
