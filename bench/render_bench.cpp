// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "app/lookback/historysource.h"
#include "app/mainwindow.h"
#include "history/history.h"
#include "bench/benchapp.h"

namespace kurvex {
namespace {

// The main window, shown, with its chart as designed.
TForm1& Window() {
  static std::unique_ptr<TForm1> form = [] {
    bench::EnsureApplication();
    auto f = std::make_unique<TForm1>();
    f->Show();
    return f;
  }();
  return *form;
}

// A noisy sine between 1 and 9, as a live acquisition might deliver it.
double Sample(int i) { return 5 + 4 * std::sin(i / 400.0) + 0.3 * std::sin(i * 1.7); }

TChartControl& ChartWith(int samples, double xMax) {
  TChartControl& chart = *Window().Chart1;
  chart.ClearGraph();
  chart.SetRange(1, 0, 0, xMax, 10);
  chart.SetDataColor(clBlue);
  chart.MoveTo(0, Sample(0));
  for (int i = 1; i < samples; ++i) chart.DrawTo(i, Sample(i));
  return chart;
}

// Requests a picture and renders it (reading the picture renders at once),
// once per iteration.
void RenderFrames(benchmark::State& state, TChartControl& chart) {
  for (auto _ : state) {
    chart.ShowGraph();
    benchmark::DoNotOptimize(chart.ControlBitmap());
  }
}

// A request and its render.
void BM_ShowGraph50k(benchmark::State& state) {
  TChartControl& chart = ChartWith(50000, 50000);
  RenderFrames(state, chart);
  state.counters["items"] = chart.ItemCount();
}
BENCHMARK(BM_ShowGraph50k)->Unit(benchmark::kMicrosecond);

void BM_Paint(benchmark::State& state) {
  TChartControl& chart = ChartWith(1000, 1000);
  for (auto _ : state) {
    chart.Paint();
    benchmark::DoNotOptimize(chart.ControlBitmap());
  }
  state.counters["items"] = chart.ItemCount();
}
BENCHMARK(BM_Paint)->Unit(benchmark::kMicrosecond);

// One Trend-mode sample with a full window, as the window's sample
// processing runs it; the picture it requests is rendered at the next frame.
void BM_TrendStep(benchmark::State& state) {
  TChartControl& chart = ChartWith(1000, 1000);
  int n = 1000;
  for (auto _ : state) {
    chart.DrawTo(n, Sample(n));
    chart.ShowGraph();
    chart.RemoveFirstItem();
    const TScaleProps& x = chart.Scale1X();
    const TScaleProps& y = chart.Scale1Y();
    chart.SetRange(1, static_cast<long double>(x.RangeLow()) + 1, y.RangeLow(),
                   static_cast<long double>(x.RangeHigh()) + 1, y.RangeHigh());
    ++n;
  }
  state.counters["items"] = chart.ItemCount();
}
BENCHMARK(BM_TrendStep)->Unit(benchmark::kMicrosecond);

// 10,000,000 samples of history, one line every 10 µs.
constexpr std::int64_t kHistorySamples = 10'000'000;
constexpr std::int64_t kLineNs = 10'000;
const THistory& TenMillion() {
  static const THistory history = [] {
    THistory h;
    for (std::int64_t n = 1; n <= kHistorySamples; ++n) {
      const float value = static_cast<float>(Sample(static_cast<int>(n)));
      h.Append(n * kLineNs, std::span<const float>(&value, 1), 1);
    }
    return h;
  }();
  return history;
}

// A 1,000-pixel-wide plot drawing `source`.
std::unique_ptr<TChartControl> HistoryChart(const TCurveSource& source) {
  bench::EnsureApplication();
  auto c = std::make_unique<TChartControl>();
  c->SetLRim(50);
  c->SetRRim(10);
  c->SetBounds(0, 0, 50 + 1000 + 10, 400);
  c->Show();
  c->SetCurveSource(&source);
  return c;
}

// A frame of a looked-back view: the ten million samples drawn into the
// plot, showing all of them (state.range(0) = 10M) down to a few hundred,
// at the newest end.
void BM_HistoryFrame(benchmark::State& state) {
  static THistorySource source(TenMillion(), TCurveSettings::Defaults());
  static std::unique_ptr<TChartControl> chart = HistoryChart(source);
  const double shown = static_cast<double>(state.range(0));
  chart->SetRange(1, kHistorySamples - shown, 0, kHistorySamples, 10);
  RenderFrames(state, *chart);
  state.counters["plot_px"] = chart->PlotWidth();
}
BENCHMARK(BM_HistoryFrame)->Arg(10'000'000)->Arg(1'000'000)->Arg(10'000)->Arg(2'000)->Arg(500)
    ->Unit(benchmark::kMillisecond);

// The same frames against time (seconds since the first sample, time
// labels): each column's samples are found by search over the batch times.
void BM_HistoryFrameInTime(benchmark::State& state) {
  static THistorySource source = [] {
    THistorySource s(TenMillion(), TCurveSettings::Defaults());
    s.SetAxis(TSampleAxis::InTime(TenMillion(), kLineNs));
    return s;
  }();
  static std::unique_ptr<TChartControl> chart = [] {
    auto c = HistoryChart(source);
    c->Scale1X().SetLabelType(ftTime);
    return c;
  }();
  const double newest = TimeX(kHistorySamples * kLineNs, kLineNs);
  const double shown = TimeX(state.range(0) * kLineNs, 0);
  chart->SetRange(1, newest - shown, 0, newest, 10);
  RenderFrames(state, *chart);
  state.counters["plot_px"] = chart->PlotWidth();
}
BENCHMARK(BM_HistoryFrameInTime)->Arg(10'000'000)->Arg(1'000'000)->Arg(10'000)->Arg(2'000)->Arg(500)
    ->Unit(benchmark::kMillisecond);

// XY: the last 100,000 samples of a Lissajous figure, one curve against
// another, as a Trend acquisition with Graph X max 100,000 holds them.
void BM_XYFrame100k(benchmark::State& state) {
  TChartControl& chart = *Window().Chart1;
  chart.ClearGraph();
  chart.SetRange(1, -10, -10, 10, 10);
  chart.SetDataColor(clBlue);
  for (int i = 0; i < 100'000; ++i) {
    const double x = 9 * std::sin(3 * i * 1e-3), y = 9 * std::cos(2 * i * 1e-3) + 0.2 * std::sin(i * 1.7);
    if (i == 0) chart.MoveTo(x, y); else chart.DrawTo(x, y);
  }
  RenderFrames(state, chart);
  state.counters["items"] = chart.ItemCount();
}
BENCHMARK(BM_XYFrame100k)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kurvex
