// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include "bench/benchapp.h"
#include "chart/scale.h"
#include "platform/drawing/bitmap.h"

namespace kurvex {
namespace {

// One X axis across the application's chart size: 51 short ticks (50 of
// them recorded) and 11 labelled ones, painted as the chart paints it.
void BM_ScalePaint(benchmark::State& state) {
  bench::EnsureApplication();
  TBitmap bitmap(658, 372);
  TScale scale;
  scale.SuspendPainting(true);
  scale.SetEmbedded(true);
  scale.SetTransparent(true);
  scale.SetBounds(0, 0, 658, 372);
  scale.SetMarginLeft(70);
  scale.SetMarginRight(19);
  scale.SetScaleType(sctXT);
  scale.SetMarginTop(331);
  scale.SetRangeLow(0);
  scale.SetRangeHigh(1000);
  scale.SetMinTicks(10);
  scale.SetCaption("Samples");
  scale.SetExternalCanvas(&bitmap.Canvas(), 0, 0);
  for (auto _ : state) scale.PaintNow();
  state.counters["recorded"] = scale.NumTicks();
}
BENCHMARK(BM_ScalePaint)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kurvex
