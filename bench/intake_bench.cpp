// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTimer>

#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>

#include "app/mainwindow.h"
#include "bench/benchapp.h"
#include "tests/support/pty.h"

namespace kurvex {
namespace {

std::string NumberLines(int count, int first = 0) {
  std::string text;
  char line[32];
  for (int i = 0; i < count; ++i) {
    const int n = std::snprintf(line, sizeof line, "%.3f\r\n", (first + i) * 0.731 - 250);
    text.append(line, static_cast<std::size_t>(n));
  }
  return text;
}

// Lines as the serial component hands them over (16 KB blocks) through the
// window's handler into the chart store. The chart is hidden, so redraws
// are counted but not rendered.
void BM_Intake(benchmark::State& state) {
  bench::EnsureApplication();
  // Started as the user starts an acquisition, with the port open on a pty
  // that stays silent, so every line meets the window as it is in use.
  test::TempConfigHome config;
  test::PtyPair pty;
  test::LinkComPort(5, pty.SlavePath());
  TForm1 form;
  form.Chart1->Hide();
  form.StartButton->Click();
  if (!form.SerialComm1->Active()) {
    state.SkipWithError("the port did not open");
    return;
  }
  form.SessionState.SampleCount = 20000;
  const std::string data = NumberLines(200000);
  constexpr std::size_t kBlock = 16384;
  std::size_t offset = 0;
  std::int64_t lines = 0;
  for (auto _ : state) {
    if (offset + kBlock > data.size()) offset = 0;
    const std::int64_t before = form.SessionState.SampleCount;
    form.SerialComm1AfterReceive(*form.SerialComm1,
                                 reinterpret_cast<const std::uint8_t*>(data.data() + offset), kBlock);
    offset += kBlock;
    lines += form.SessionState.SampleCount - before;
    if (form.SessionState.SampleCount > 45000) {
      state.PauseTiming();
      form.Chart1->ClearGraph();
      form.SessionState.SampleCount = 20000;
      state.ResumeTiming();
    }
  }
  state.counters["lines_per_s"] = benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kIsRate);
  form.StopButton->Click();
}
BENCHMARK(BM_Intake)->Unit(benchmark::kMicrosecond);

// The first item after ClearGraph with the window's AllocSize: growing the
// store must not write its 83 MB of zeros.
void BM_FirstSample(benchmark::State& state) {
  bench::EnsureApplication();
  TChartControl chart;
  chart.SetAllocSize(800000);
  for (auto _ : state) {
    state.PauseTiming();
    chart.ClearGraph();
    state.ResumeTiming();
    chart.MoveTo(0, 1);
  }
}
BENCHMARK(BM_FirstSample)->Unit(benchmark::kMicrosecond);

/// The real window on a real pty: a writer thread plays the instrument, the
/// serial component delivers on the GUI thread's event loop.
class PtyRig {
 public:
  /// With `record`, every sample also goes to a recording file.
  explicit PtyRig(bool record) {
    bench::EnsureApplication();
    test::LinkComPort(5, m_pty.SlavePath());
    m_form = std::make_unique<TForm1>();
    m_form->Show();
    m_form->RecordCheckBox->SetChecked(record);
    m_form->StartButton->Click();
  }
  ~PtyRig() { m_form->StopButton->Click(); }

  TForm1& Form() { return *m_form; }

  /// Writes `data` from another thread, at most `linesPerSecond` (0: as fast
  /// as the pty takes it), while the GUI thread runs its loop until the
  /// window has counted `lines` more samples. False when lines were lost.
  bool Stream(const std::string& data, std::int64_t lines, int linesPerSecond) {
    const std::int64_t target = m_form->SessionState.SampleCount + lines;
    std::atomic<bool> written{false};
    std::thread writer([&] {
      const auto start = std::chrono::steady_clock::now();
      std::size_t done = 0;
      std::int64_t linesDone = 0;
      while (done < data.size()) {
        std::size_t chunk = std::min<std::size_t>(4096, data.size() - done);
        if (linesPerSecond > 0) {
          chunk = data.find('\n', done) + 1 - done;  // one line at a time, on schedule
          std::this_thread::sleep_until(start + std::chrono::microseconds(linesDone * 1000000 / linesPerSecond));
          ++linesDone;
        }
        m_pty.WriteMaster(data.substr(done, chunk));
        done += chunk;
      }
      written = true;
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    // Sleep until events come, as the program's loop does; the heartbeat
    // only makes sure the deadline is seen.
    QTimer heartbeat;
    heartbeat.start(50);
    while (m_form->SessionState.SampleCount < target && std::chrono::steady_clock::now() < deadline)
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    writer.join();
    return m_form->SessionState.SampleCount == target;
  }

 private:
  test::TempConfigHome m_config;
  test::PtyPair m_pty;
  std::unique_ptr<TForm1> m_form;
};

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Full speed: how many lines per second the window takes from a real port
// with none lost. A long acquisition's redraw pace (every 200 samples).
void EndToEndPty(benchmark::State& state, bool record) {
  PtyRig rig(record);
  constexpr int kLines = 20000;
  const std::string data = NumberLines(kLines);
  std::int64_t lines = 0;
  for (auto _ : state) {
    state.PauseTiming();
    rig.Form().Chart1->ClearGraph();
    rig.Form().SessionState.SampleCount = 20001;
    state.ResumeTiming();
    if (!rig.Stream(data, kLines, 0)) state.SkipWithError("lines were lost");
    lines += kLines;
  }
  state.counters["lines_per_s"] = benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kIsRate);

  // The advertised rate, 2000 lines/s for one second: the CPU it costs.
  rig.Form().Chart1->ClearGraph();
  rig.Form().SessionState.SampleCount = 20001;
  const double cpuBefore = CpuSeconds();
  if (!rig.Stream(NumberLines(2000), 2000, 2000)) state.SkipWithError("lines were lost at 2000/s");
  state.counters["cpu_s_per_100k_at_2000_per_s"] = (CpuSeconds() - cpuBefore) * 100000 / 2000;
}

void BM_EndToEndPty(benchmark::State& state) { EndToEndPty(state, false); }
BENCHMARK(BM_EndToEndPty)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// The same with recording on: the rate must stay within 10 % of the above.
void BM_EndToEndPtyRecording(benchmark::State& state) { EndToEndPty(state, true); }
BENCHMARK(BM_EndToEndPtyRecording)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

}  // namespace
}  // namespace kurvex
