// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QWheelEvent>
#include <QWidget>

#include "tests/chart/render_fixture.h"

namespace kurvex::test {

/// A turn of the mouse wheel over `widget` at `pos`: `delta` eighths of a
/// degree, 120 a notch, positive away from the user.
inline void WheelTurn(QWidget* widget, QPoint pos, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                      Qt::MouseButtons buttons = Qt::NoButton) {
  QWheelEvent event(QPointF(pos), widget->mapToGlobal(QPointF(pos)), QPoint(), QPoint(0, delta), buttons, modifiers,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(widget, &event);
}

/// A shown chart whose plot area is 500 × 300 pixels (x 50..550, y 16..316)
/// showing 0..100 on both axes of layer 1, driven by synthesized mouse input.
class MouseChartTest : public QtAppTest {
 protected:
  MouseChartTest() {
    chart.SetLRim(50);
    chart.SetRRim(10);
    chart.SetTRim(16);
    chart.SetBRim(32);
    chart.SetBounds(0, 0, 560, 348);
    chart.Show();
    chart.SetRange(1, 0, 0, 100, 100);
    chart.OnZoomPan = [this](TObject*) { ++zoomPans; };
  }

  QWidget* W() const { return chart.Widget(); }
  void Press(QPoint p, Qt::MouseButton b = Qt::LeftButton) { MousePress(W(), b, p); }
  void MoveHeld(QPoint p) { MouseMove(W(), p, Qt::LeftButton); }
  void Hover(QPoint p) { MouseMove(W(), p); }
  void Release(QPoint p, Qt::MouseButton b = Qt::LeftButton) { MouseRelease(W(), b, p); }
  void Drag(QPoint from, QPoint to) { MouseDrag(W(), from, to); }

  TAxisWindow X(int layer = 1) const { return {chart.ScaleX(layer).RangeLow(), chart.ScaleX(layer).RangeHigh()}; }
  TAxisWindow Y(int layer = 1) const { return {chart.ScaleY(layer).RangeLow(), chart.ScaleY(layer).RangeHigh()}; }

  CountingChart chart;
  int zoomPans = 0;
};

}  // namespace kurvex::test

namespace kurvex {
inline void PrintTo(const TAxisWindow& w, std::ostream* os) { *os << w.Low << " .. " << w.High; }
}  // namespace kurvex
