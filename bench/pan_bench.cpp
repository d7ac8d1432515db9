// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include <cmath>

#include "bench/benchapp.h"
#include "chart/chartcontrol.h"

namespace kurvex {
namespace {

void HeldMove(QWidget* widget, QPoint pos) {
  QMouseEvent event(QEvent::MouseMove, QPointF(pos), widget->mapToGlobal(QPointF(pos)), Qt::NoButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

// One pan step as the user's hand makes it: a held mouse move over the
// window's chart (its size, rims and grid) holding a full Normal-mode
// acquisition; the step changes the range and repaints the whole chart.
void BM_PanStep50k(benchmark::State& state) {
  bench::EnsureApplication();
  TChartControl chart;
  chart.SetLRim(70);
  chart.SetRRim(20);
  chart.SetTRim(20);
  chart.SetBRim(40);
  chart.SetBounds(0, 0, 657, 371);
  chart.SetGridStyle(gsLines);
  chart.SetGridColor(clSilver);
  chart.SetDataColor(clBlue);
  chart.SetMouseAction(maPan);
  chart.Show();
  chart.SetRange(1, 0, 0, 50000, 10);
  chart.MoveTo(0, 5);
  for (int i = 1; i < 50000; ++i) chart.DrawTo(i, 5 + 4 * std::sin(i / 400.0) + 0.3 * std::sin(i * 1.7));

  QWidget* widget = chart.Widget();
  HeldMove(widget, {300, 150});  // the drag origin
  int step = 0;
  for (auto _ : state) {
    HeldMove(widget, {300 + (++step % 2 == 0 ? -20 : 20), 160});
  }
  // The steps end 20 px off the origin: a window still at 0 means nothing panned.
  if (chart.Scale1X().RangeLow() == 0) state.SkipWithError("the moves did not pan");
  state.counters["items"] = chart.ItemCount();
}
BENCHMARK(BM_PanStep50k)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kurvex
