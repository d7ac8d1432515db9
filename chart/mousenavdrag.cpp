// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chartcontrol.h"

namespace kurvex {

namespace {

// In double: pixels of far-off points reach the int limits.
double Square(double d) { return d * d; }

}  // namespace

void TCustomChartControl::PickDraggedItem(int x, int y) {
  if (m_mouseAction == maDragCrossH) m_nav.DraggedCrossHair = NearestCrossHair(x, y);
  if (m_mouseAction == maDragLabel) m_nav.DraggedTextLabel = NearestTextLabel(x, y);
}

int TCustomChartControl::NearestCrossHair(int x, int y) const {
  TNearestPick pick(1);
  for (int i = 1; i <= kCrossHairCount; ++i) {
    const TCrossHair& crossHair = CrossHair(i);
    int px = 0, py = 0;
    WorldToPixel(crossHair.Layer(), crossHair.PosX(), crossHair.PosY(), px, py);
    const TCrossHairMode mode = crossHair.Mode();
    if (mode == chVert || mode == chBoth) pick.Offer(i, Square(px - static_cast<double>(x)));
    if (mode == chHoriz || mode == chBoth) pick.Offer(i, Square(py - static_cast<double>(y)));
  }
  return pick.Best();
}

int TCustomChartControl::NearestTextLabel(int x, int y) const {
  TNearestPick pick(1);
  for (int i = 1; i <= kTextLabelCount; ++i) {
    const TTextLabel& label = TextLabel(i);
    if (label.Mode() == tlOff) continue;
    // Labels sit at control pixels, not at data points.
    const double px = RoundPixel(label.PosX()), py = RoundPixel(label.PosY());
    pick.Offer(i, Square(px - x) + Square(py - y));
  }
  return pick.Best();
}

void TCustomChartControl::DragCrossHairStep(int x, int y) {
  TCrossHair& crossHair = CrossHair(m_nav.DraggedCrossHair);
  double wx = 0, wy = 0;
  PixelToWorld(crossHair.Layer(), x, y, wx, wy);
  PaintOnceAfter([&] { crossHair.SetPos(wx, wy); });
  if (OnCrossHairMove) OnCrossHairMove(this, crossHair);
}

void TCustomChartControl::DragTextLabelStep(int x, int y) {
  TTextLabel& label = TextLabel(m_nav.DraggedTextLabel);
  PaintOnceAfter([&] { label.SetPos(x, y); });
  if (OnTextLabelMove) OnTextLabelMove(this, label);
}

}  // namespace kurvex
