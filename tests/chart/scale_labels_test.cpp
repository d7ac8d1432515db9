// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "chart/labelstride.h"
#include "chart/scale.h"
#include "tests/support/qtapp.h"
#include "tests/support/recordingcanvas.h"

namespace kurvex {
namespace {

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
