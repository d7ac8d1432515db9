// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdlib.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "chart/chartcontrol.h"
#include "tests/support/qtapp.h"
#include "tests/support/strictcsv.h"
#include "tests/support/tempfolder.h"

namespace kurvex::test {

/// The main window's chart size and its configured drawing values.
inline constexpr int kWindowChartWidth = 657, kWindowChartHeight = 371;

inline void ConfigureLikeWindowChart(TChartControl& chart) {
  chart.BeginLoad();
  chart.SetBounds(0, 0, kWindowChartWidth, kWindowChartHeight);
  chart.SetAllocSize(800000);
  chart.SetLRim(70);
  chart.SetRRim(20);
  chart.SetTRim(20);
  chart.SetBRim(40);
  chart.SetGridStyle(gsLines);
  chart.SetGridColor(clSilver);
  chart.SetShadowStyle(ssFlying);
  chart.SetShadowColor(clGrayText);
  chart.SetShadowBakColor(clBtnFace);
  chart.SetTextBkStyle(tbClear);
  chart.SetTextBkColor(clWhite);
  chart.SetTextAlignment(taCenter);
  chart.SetCaptionPosX(0);
  chart.SetCaptionPosY(-16);
  chart.SetCaptionAlignment(taRightJustify);
  chart.SetCaptionAnchorHoriz(cahChartRight);
  chart.SetCaptionAnchorVert(cavChartTop);
  TScalePropsHoriz& x = chart.Scale1X();
  x.SetScaleLocation(slBottom);
  x.SetRangeLow(0);
  x.SetRangeHigh(100);
  x.SetDecPlaces(0);
  x.SetMinTicks(3);
  x.SetMinRange(1e-10);
  TScalePropsVert& y = chart.Scale1Y();
  y.SetScaleLocation(slLeft);
  y.SetRangeLow(1);
  y.SetRangeHigh(200);
  y.SetDecPlaces(-2);
  y.SetMinTicks(3);
  y.SetMinRange(1e-10);
  for (int layer = 2; layer <= 4; ++layer) {
    chart.ScaleX(layer).SetVisible(false);
    chart.ScaleY(layer).SetVisible(false);
  }
  chart.Loaded();
}

/// A chart that counts its full repaints (calls that are not held back).
class CountingChart : public TChartControl {
 public:
  using TChartControl::TChartControl;
  void Paint() override {
    if (!PaintSuspended()) ++paints;
    TChartControl::Paint();
  }
  int paints = 0;
};

/// A shown chart configured as the window's, painted once.
class WindowChartTest : public QtAppTest {
 protected:
  WindowChartTest() {
    ConfigureLikeWindowChart(chart);
    chart.Show();
    chart.HandleNeeded();
    chart.Paint();
  }

  /// The plot area of the acquisition after Start: X 0..1000, Y 0..10.
  void AcquisitionRange() { chart.SetRange(1, 0, 0, 1000, 10); }

  TChartControl chart;
};

/// 1,000 samples of a slow sine between 1 and 9 after a first point at
/// (0, 2), in blue, as an acquisition plots them.
inline void AddSineSamples(TChartControl& chart) {
  chart.SetDataColor(clBlue);
  chart.MoveTo(0, 2);
  for (int i = 1; i <= 1000; ++i) chart.DrawTo(i, 5 + 4 * std::sin(i / 50.0));
}

/// A fresh zero item of the given kind on layer 1, black, one pixel wide.
inline TChartItem MakeItem(TItemKind kind, double x = 0, double y = 0, double x2 = 0, double y2 = 0) {
  TChartItem item{};
  item.Kind = kind;
  item.Layer = 1;
  item.LineWidth = 1;
  item.X = x;
  item.Y = y;
  item.X2 = x2;
  item.Y2 = y2;
  return item;
}

/// Writes bytes to path, replacing it.
inline void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace kurvex::test
