// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chart/labelstride.h"
#include "chart/scale.h"
#include "platform/drawing/bitmap.h"
#include "tests/support/image.h"
#include "tests/support/qtapp.h"
#include "tests/support/recordingcanvas.h"

namespace kurvex {
namespace {

// A scale painted onto a white bitmap of its own size: ticks and line in
// black, labels in red so the two can be told apart.
class ScaleRenderTest : public test::QtAppTest {
 protected:
  ScaleRenderTest() : bitmap(400, 120) {
    scale.SuspendPainting(true);
    scale.SetBounds(0, 0, 400, 120);
    scale.SetTransparent(true);
    scale.SetEmbedded(true);
    scale.SetExternalCanvas(&bitmap.Canvas(), 0, 0);
    TFont font;
    font.Color = clRed;
    scale.SetFont(font);
  }

  void Paint() {
    bitmap.Canvas().Brush = TBrush{clWhite, bsSolid};
    bitmap.Canvas().FillRect({0, 0, bitmap.Width(), bitmap.Height()});
    scale.PaintNow();
  }

  TSize Extent(const std::string& text) {
    bitmap.Canvas().Font = scale.Font();
    return bitmap.Canvas().TextExtent(text);
  }

  // Every red pixel of the picture lies in one of the boxes, and every box
  // holds some.
  void ExpectLabelsIn(const std::vector<TRect>& boxes) {
    int inside = 0;
    for (const TRect& box : boxes) {
      const int n = test::CountPixels(bitmap, clRed, box);
      EXPECT_GT(n, 0) << box.Left << "," << box.Top;
      inside += n;
    }
    EXPECT_EQ(inside, test::CountPixels(bitmap, clRed));
  }

  TBitmap bitmap;
  TScale scale;
};

// The scales the window's chart shows at the bottom and the left (XT, YR)
// are in its golden pictures; these are the other two.
TEST_F(ScaleRenderTest, HorizontalTicksSitAtTheirPixelsAndLabelsStayInside) {
  scale.SetScaleType(sctXB);  // axis line at y = 120 - 20 - 1
  scale.SetMarginLeft(0);
  scale.SetMarginRight(0);
  Paint();
  const int axis = 99;
  for (int v = 0; v <= 100; v += 5) {
    const int x = scale.ValueToPixel(v);
    // Labelled ticks reach 7 pixels up from the line, short ones 4.
    const std::string expected = v % 20 == 0 ? ".#######" : "....####";
    EXPECT_EQ(test::ColumnText(bitmap, x, axis - 7, axis + 1), expected) << v;
    EXPECT_EQ(test::ColumnText(bitmap, x, axis + 1, 120), std::string(20, '.'));
  }
  EXPECT_EQ(scale.ValueToPixel(40), 160);  // 0.4 × 399 = 159.6

  std::vector<TRect> boxes;
  for (int v = 0; v <= 100; v += 20) {
    const TSize size = Extent(std::to_string(v));
    const int x = scale.ValueToPixel(v);
    int half = size.cx / 2, left = x - half;
    if (left < 2) half = x - 2, left = 2;  // never left of x = 2
    if (x + half >= 400 - 2) left = 400 - 2 * half - 2;
    boxes.push_back({left, axis - 7 - size.cy, left + size.cx, axis - 7});
  }
  EXPECT_EQ(boxes.front().Left, 2);
  ExpectLabelsIn(boxes);
}

TEST_F(ScaleRenderTest, VerticalScalesPointTheirTicksAndLabelsSideways) {
  scale.SetScaleType(sctYL);  // axis line at x = 20, 0 at the bottom
  Paint();
  EXPECT_EQ(scale.ValueToPixel(100), 20);
  EXPECT_EQ(scale.ValueToPixel(0), 99);
  EXPECT_EQ(test::RowText(bitmap, scale.ValueToPixel(60), 19, 28), ".######..");
  EXPECT_EQ(test::RowText(bitmap, scale.ValueToPixel(65), 19, 28), ".####....");
  const TSize zero = Extent("0");
  std::vector<TRect> boxes;
  for (int v = 0; v <= 100; v += 20) {
    const TSize size = Extent(std::to_string(v));
    const int top = scale.ValueToPixel(v) - zero.cy / 2;
    boxes.push_back({28, top, 28 + size.cx, top + size.cy});
  }
  ExpectLabelsIn(boxes);
}

TEST_F(ScaleRenderTest, CaptionAtItsAnchorAndTheExternalOffsetAcrossTheScale) {
  scale.SetLabelType(ftNoFigs);
  scale.SetCaption("Volt");
  scale.SetCaptionAnchor(uaSclCenter);
  scale.SetCaptionAlignment(taRightJustify);
  scale.SetCaptionPosX(-3);
  scale.SetCaptionPosY(5);
  scale.SetExternalCanvas(&bitmap.Canvas(), 50, -10);
  Paint();
  const int axis = 99 - 10;  // only the offset across a horizontal scale applies
  EXPECT_EQ(test::RowText(bitmap, axis, 18, 22), "..##");
  const TSize size = Extent("Volt");
  const int right = 20 + 360 / 2 - 3;
  ExpectLabelsIn({{right - size.cx, axis + 5, right, axis + 5 + size.cy}});
}

TEST_F(ScaleRenderTest, OpaqueScalesFillTheirBoxAndDrawTheirFrame) {
  TScale own;
  own.SetBounds(0, 0, 200, 80);
  own.SetScaleType(sctXT);
  TBitmap& lowered = own.Surface();
  EXPECT_EQ(lowered.Canvas().Pixel(0, 0), ColorToRGB(clGray));
  EXPECT_EQ(lowered.Canvas().Pixel(199, 79), clWhite);
  EXPECT_EQ(lowered.Canvas().Pixel(100, 60), ColorToRGB(clBtnFace));
  EXPECT_EQ(lowered.Canvas().Pixel(30, 20), clBlack);  // the axis line

  own.SetFrameStyle(fsEngraved);
  own.SetColorScheme(csSystem);
  TBitmap& engraved = own.Surface();
  EXPECT_EQ(engraved.Canvas().Pixel(0, 40), ColorToRGB(clBtnShadow));
  EXPECT_EQ(engraved.Canvas().Pixel(1, 40), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(engraved.Canvas().Pixel(198, 40), ColorToRGB(clBtnShadow));
  own.SetFrameStyle(fsSimple);
  EXPECT_EQ(own.Surface().Canvas().Pixel(199, 79), clBlack);

  // Copied as a whole onto an external canvas at its offset.
  TBitmap target(300, 200);
  own.SetExternalCanvas(&target.Canvas(), 40, 30);
  own.SetFrameStyle(fsNone);
  EXPECT_EQ(target.Canvas().Pixel(39, 29), clWhite);
  EXPECT_EQ(target.Canvas().Pixel(40, 30), ColorToRGB(clBtnFace));
  EXPECT_EQ(target.Canvas().Pixel(40 + 30, 30 + 20), clBlack);
}

TEST(LabelStride, KeepsEveryLabelThatFitsAndThinsTheRestEvenly) {
  EXPECT_EQ(LabelStride({}, 1), 1);
  EXPECT_EQ(LabelStride({{0, 10}, {11, 21}, {22, 32}}, 1), 1);
  EXPECT_EQ(LabelStride({{0, 10}, {10, 20}, {20, 30}}, 1), 2);  // touching
  EXPECT_EQ(LabelStride({{0, 10}, {5, 15}, {10, 20}, {15, 25}, {20, 30}}, 1), 3);
  EXPECT_EQ(LabelStride({{20, 30}, {10, 20}, {0, 10}}, 1), 2);  // an axis that runs backwards
  EXPECT_EQ(LabelStride({{0, 10}, {12, 22}, {24, 34}, {30, 40}}, 1), 2);  // the last one pushed back
  EXPECT_EQ(LabelStride({{0, 100}, {1, 2}}, 1), 2);  // one label alone always fits
}

// A transparent scale 400 pixels wide painting onto a canvas that records
// its calls; texts are 6 pixels per character wide.
class ScaleLabelsTest : public test::QtAppTest {
 protected:
  ScaleLabelsTest() : canvas(400, 120) {
    scale.SuspendPainting(true);
    scale.SetBounds(0, 0, 400, 120);
    scale.SetTransparent(true);
    scale.SetEmbedded(true);
    scale.SetExternalCanvas(&canvas, 0, 0);
    scale.SetScaleType(sctXB);
  }

  std::vector<test::CanvasCall> PaintLabels() {
    canvas.Calls.clear();
    scale.PaintNow();
    return canvas.CallsOf("TextOut");
  }

  int LongTicks() const {
    int n = 0;
    for (const test::CanvasCall& call : canvas.CallsOf("LineTo"))
      n += call.Points[0].X == call.Points[1].X && call.Points[0].Y - call.Points[1].Y == 7;
    return n;
  }

  static void ExpectApart(std::vector<test::CanvasCall> labels) {
    std::sort(labels.begin(), labels.end(), [](const auto& a, const auto& b) { return a.Points[0].X < b.Points[0].X; });
    for (std::size_t i = 1; i < labels.size(); ++i) {
      const int end = labels[i - 1].Points[0].X + 6 * static_cast<int>(labels[i - 1].Text.size());
      EXPECT_GT(labels[i].Points[0].X, end) << labels[i - 1].Text << " | " << labels[i].Text;
    }
  }

  test::TRecordingCanvas canvas;
  TScale scale;
};

TEST_F(ScaleLabelsTest, WideNumericLabelsAreThinnedButEveryTickStays) {
  scale.SetRangeHigh(100);
  EXPECT_EQ(PaintLabels().size(), 6u);  // 0 .. 100: all fit

  scale.SetMinTicks(6);
  scale.SetRangeHigh(12000000);  // thirteen labels like " 1.0E+06"
  const std::vector<test::CanvasCall> labels = PaintLabels();
  EXPECT_EQ(LongTicks(), 13);
  EXPECT_GT(labels.size(), 1u);
  EXPECT_LT(labels.size(), 13u);
  EXPECT_EQ(labels.front().Text, "0.0");
  ExpectApart(labels);

  scale.SetRangeLow(12000000);
  scale.SetRangeHigh(0);
  ExpectApart(PaintLabels());
}

TEST_F(ScaleLabelsTest, DateLabelsPushedBackFromTheEndDoNotRunIntoTheirNeighbour) {
  scale.SetLabelType(ftDateTime);
  scale.SetRangeHigh(45001);
  scale.SetRangeLow(45000.5);  // 15 Mar 2023 12:00 .. midnight, every 3 hours
  const std::vector<test::CanvasCall> labels = PaintLabels();
  EXPECT_EQ(LongTicks(), 5);
  ASSERT_FALSE(labels.empty());
  EXPECT_EQ(labels.back().Text, "00:00 16-Mrz-2023");
  ExpectApart(labels);
}

}  // namespace
}  // namespace kurvex
