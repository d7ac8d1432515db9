// SPDX-License-Identifier: GPL-3.0-or-later
// window-bench: the real program (kurvex-driven: kurvex's window, driven over
// standard input) fed through a pty at fixed rates, in Trend and Normal mode,
// offscreen and under Xvfb; writes window.json.
// A flood run then feeds Trend as fast as the pty takes bytes while kurvex
// shares one processor with two busy loops, and measures how the window
// answers: the longest gap between two drawn frames and the time Stop takes.
// Trend at 100,000 lines/s also runs with 4 values per line (on one Y axis,
// then with two of them on the right one), and with the
// monitor window open. Query runs play an instrument that answers only when
// asked and measure the answers taken, the queries left without an answer
// and the round trips. The floor run measures a bare Qt window ticking
// like the busy indicator (qt-floor), the least any idle figure can be on
// the machine at that moment; the machine's entry also records what a page
// of memory costs after a pause (see wakeprobe.h).
//   window-bench [--quick] [--flood-only] [--only RUN] [--platform offscreen|xvfb|both] [--out FILE]
//                [--kurvex BINARY]
// --only runs only the runs named, as in the output, separated by commas
// ("trend-100000-4values,trend-100000-4values-2axes": back to back).
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/window/busyloops.h"
#include "bench/window/jsonwriter.h"
#include "bench/window/kurvexprocess.h"
#include "bench/window/procstats.h"
#include "bench/window/ptyfeeder.h"
#include "bench/window/wakeprobe.h"
#include "bench/window/xserver.h"
#include "intake/sampleintake.h"

namespace kurvex::bench {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kComNumber = 7;
constexpr double kLinesPer100k = 100000;

struct Options {
  bool Quick = false;
  bool FloodOnly = false;
  std::string Platforms = "both";
  std::string Out = "bench/window.json";
  std::string Kurvex = KURVEX_BINARY;
  std::string Only;
};

struct Run {
  std::string Platform, Mode;
  double Rate = 0;  // 0: as fast as the pty takes
  long long Lines = 0;
  int Values = 1;  // per line
  bool Panning = false;  // the user holds a stopped view and drags it while the lines arrive
  bool Monitor = false;  // the monitor window is open
  /// A setup the window opens before Start, named by the run's suffix.
  struct Setup {
    const char* Suffix;
    const char* Text;
  };
  std::optional<Setup> OwnSetup{};

  std::string Name() const {
    return Mode + "-" + (Rate > 0 ? std::to_string(static_cast<long long>(Rate)) : "max") +
           (Values > 1 ? "-" + std::to_string(Values) + "values" : "") + (Panning ? "-paused-panning" : "") +
           (Monitor ? "-monitor" : "") + (OwnSetup ? OwnSetup->Suffix : "");
  }
};

// The window asks "MEAS?" every interval; the instrument answers after its delay.
struct QueryRun {
  std::string Platform;
  int IntervalMs = 10;
  int DelayMs = 0;
  double Seconds = 10;

  std::string Name() const {
    return "query-" + std::to_string(IntervalMs) + "ms" + (DelayMs > 0 ? "-slow" + std::to_string(DelayMs) : "");
  }
};

struct QueryMeasured {
  QueryRun Plan;
  bool Started = false;
  AnswerResult Instrument;
  long long Counted = 0, Missing = 0;
  double MedianMs = 0, P99Ms = 0, MaxMs = 0, Cpu = 0, XCpu = 0;
};

struct Measured {
  Run Plan;
  long long Sent = 0, Counted = 0, LagAtEnd = 0;
  double FeedSeconds = 0, CatchUpSeconds = 0, Cpu = 0, XCpu = 0, PeakRss = 0;
  double IdleCpuPercent = 0, XIdleCpuPercent = 0;            // before the first line
  double IdleAfterCpuPercent = 0, XIdleAfterCpuPercent = 0;  // after the last
  double RssBefore = 0, RssAfter = 0;  // resident memory before the first line and after the last
  bool Started = false, Stalled = false;
};

// Whether --only names the run (or there is no --only).
bool Chosen(const Options& options, const std::string& name) {
  return options.Only.empty() || ("," + options.Only + ",").find("," + name + ",") != std::string::npos;
}

std::vector<Run> Plan(const Options& options, const std::string& platform) {
  // Seconds per rate; Trend at 100,000 lines/s runs long enough to show it keeps up.
  const double seconds = options.Quick ? 1 : 5;
  const double trendFull = options.Quick ? 3 : 30;
  std::vector<Run> runs;
  for (const std::string mode : {"trend", "normal"}) {
    for (const double rate : {200.0, 2000.0, 20000.0, 100000.0, 0.0}) {
      double lines = rate == 0 ? 2 * seconds * 100000 : rate * seconds;
      if (mode == "trend" && rate == 100000) lines = rate * trendFull;
      // The slowest rate costs little CPU per second: four times as long
      // (20 s), so one 10 ms tick of the CPU counters is under 0.05 %.
      if (rate == 200) lines *= 4;
      if (mode == "normal") lines = std::min<double>(lines, kNormalSampleLimit);
      runs.push_back({platform, mode, rate, static_cast<long long>(lines)});
      if (mode == "trend" && rate == 100000) {
        runs.push_back({platform, mode, rate, static_cast<long long>(lines), 4});
        // Curves 3 and 4 against the right Y axis; the samples against the time since Start.
        runs.push_back({platform, mode, rate, static_cast<long long>(lines), 4, false, false,
                        Run::Setup{"-2axes", R"({"Kurvex-Setup": 1, "curves": [{}, {}, {"axis": "right"}, {"axis": "right"}]})"}});
        runs.push_back({platform, mode, rate, static_cast<long long>(lines), 1, false, false,
                        Run::Setup{"-time", R"({"Kurvex-Setup": 1, "graph": {"xAxis": "seconds"}})"}});
        runs.push_back({platform, mode, rate, static_cast<long long>(lines), 1, true});
        runs.push_back({platform, mode, rate, static_cast<long long>(lines), 1, false, true});
      }
    }
  }
  std::erase_if(runs, [&](const Run& run) { return !Chosen(options, run.Name()); });
  return runs;
}

// Waits until the count reaches `target` or stops moving for a second.
long long WaitForCount(KurvexProcess& kurvex, long long target) {
  long long last = -1;
  auto moved = Clock::now();
  for (;;) {
    const long long now = kurvex.Count();
    if (now >= target) return now;
    if (now != last) {
      last = now;
      moved = Clock::now();
    } else if (Clock::now() - moved > std::chrono::seconds(1)) {
      return now;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

// A window's environment: a settings folder of its own, on the X server or offscreen.
std::vector<std::string> WindowEnvironment(const XServer* x, const fs::path& home) {
  std::vector<std::string> env = {"XDG_CONFIG_HOME=" + home.string(),
                                  "XDG_RUNTIME_DIR=" + home.string(), "LC_ALL=C.UTF-8"};
  env.push_back(x ? "QT_QPA_PLATFORM=xcb" : "QT_QPA_PLATFORM=offscreen");
  if (x) env.push_back("DISPLAY=" + x->Display());
  return env;
}

// Links COM<kComNumber> in the settings folder to the feeder's pty; returns
// the environment that starts kurvex there with its test hook.
std::vector<std::string> KurvexOnPort(const PtyFeeder& pty, const XServer* x, const fs::path& home) {
  const fs::path link = home / "kurvex" / "ports" / ("COM" + std::to_string(kComNumber));
  fs::create_directories(link.parent_path());
  fs::remove(link);
  fs::create_symlink(pty.SlavePath(), link);
  return WindowEnvironment(x, home);
}

struct Idle {
  double Cpu = 0, XCpu = 0;  // percent of a core
};

// What the program and the X server cost while the port is open and nothing arrives.
Idle MeasureIdle(KurvexProcess& kurvex, const XServer* x, std::chrono::seconds span) {
  const double cpu0 = CpuSeconds(kurvex.Pid()), x0 = x ? CpuSeconds(x->Pid()) : 0;
  const auto start = Clock::now();
  std::this_thread::sleep_for(span);
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  return {100 * (CpuSeconds(kurvex.Pid()) - cpu0) / seconds, x ? 100 * (CpuSeconds(x->Pid()) - x0) / seconds : 0};
}

// The CPU counters count in 10 ms ticks: over 20 s one tick is 0.05 %,
// fine enough to tell 0.2 % from 0.3 %.
std::chrono::seconds IdleSpan(const Options& options) { return std::chrono::seconds(options.Quick ? 2 : 20); }

struct FloorMeasured {
  std::string Platform;
  Idle Cost;
};

FloorMeasured MeasureFloor(const std::string& platform, const Options& options, const XServer* x,
                           const fs::path& home) {
  KurvexProcess floor(QT_FLOOR_BINARY, WindowEnvironment(x, home));
  floor.Count();  // its window is up and its loop runs
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  return {platform, MeasureIdle(floor, x, IdleSpan(options))};
}

void WriteFloors(JsonWriter& json, const std::vector<FloorMeasured>& floors) {
  json.Key("floor").BeginArray();
  for (const FloorMeasured& m : floors) {
    json.BeginObject();
    json.Key("platform").String(m.Platform);
    json.Key("cpu_percent").Number(m.Cost.Cpu, 2);
    json.Key("x_cpu_percent").Number(m.Cost.XCpu, 2);
    json.EndObject();
  }
  json.EndArray();
}

Measured Measure(const Run& run, const Options& options, const XServer* x, const fs::path& home) {
  Measured m{run};
  PtyFeeder pty(run.Values);
  KurvexProcess kurvex(options.Kurvex, KurvexOnPort(pty, x, home));
  kurvex.Count();  // the window is up and its loop runs
  if (run.Monitor) kurvex.Ask("monitor");
  if (run.OwnSetup) {
    const fs::path setup = home / "lauf.kxs";
    std::ofstream(setup) << run.OwnSetup->Text;
    if (kurvex.Ask("setup " + setup.string()) != "ok") return m;
  }
  m.Started = kurvex.Ask("start " + run.Mode + " " + std::to_string(kComNumber)) == "started";
  if (!m.Started) return m;

  // What opening and the first pictures cost is not idling.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  const Idle before = MeasureIdle(kurvex, x, IdleSpan(options));
  m.IdleCpuPercent = before.Cpu;
  m.XIdleCpuPercent = before.XCpu;

  m.RssBefore = RssMiB(kurvex.Pid());
  const double cpu0 = CpuSeconds(kurvex.Pid()), x0 = x ? CpuSeconds(x->Pid()) : 0;
  // A drag stops the picture; small drags back and forth go on while the
  // lines arrive, each drawn from the history, and between them the pointer
  // moves over the plot with the readout following it.
  std::atomic<bool> feeding{true};
  std::thread panner;
  if (run.Panning) {
    kurvex.Ask("pan 300");
    panner = std::thread([&] {
      for (int step = 0; feeding; ++step) {
        kurvex.Ask(step % 5 == 0 ? "pan " + std::to_string(step % 10 == 0 ? 20 : -20)
                                 : "hover " + std::to_string(100 + 37 * step % 500));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
      }
    });
  }
  const FeedResult fed = pty.Feed(run.Lines, run.Rate);
  feeding = false;
  if (panner.joinable()) panner.join();
  m.Sent = fed.Lines;
  m.FeedSeconds = fed.Seconds;
  m.Stalled = fed.Stalled;
  m.LagAtEnd = m.Sent - kurvex.Count();
  const auto endOfFeed = Clock::now();
  m.Counted = WaitForCount(kurvex, m.Sent);
  m.CatchUpSeconds = m.Counted >= m.Sent ? std::chrono::duration<double>(Clock::now() - endOfFeed).count() : -1;
  m.Cpu = CpuSeconds(kurvex.Pid()) - cpu0;
  m.XCpu = x ? CpuSeconds(x->Pid()) - x0 : 0;
  m.PeakRss = PeakRssMiB(kurvex.Pid());
  m.RssAfter = RssMiB(kurvex.Pid());
  // Nothing arrives any more: a full history, a paused view or the readout
  // must not keep anything running.
  const Idle after = MeasureIdle(kurvex, x, IdleSpan(options));
  m.IdleAfterCpuPercent = after.Cpu;
  m.XIdleAfterCpuPercent = after.XCpu;
  return m;
}

std::vector<QueryRun> QueryPlan(const Options& options, const std::string& platform) {
  const double seconds = options.Quick ? 2 : 10;
  // 1 ms is below what a user may set (10 ms): how fast the query can go at all.
  std::vector<QueryRun> runs = {{platform, 10, 0, seconds}, {platform, 1, 0, seconds}, {platform, 20, 250, seconds}};
  std::erase_if(runs, [&](const QueryRun& run) { return !Chosen(options, run.Name()); });
  return runs;
}

QueryMeasured MeasureQuery(const QueryRun& run, const Options& options, const XServer* x, const fs::path& home) {
  QueryMeasured m;
  m.Plan = run;
  PtyFeeder pty;
  KurvexProcess kurvex(options.Kurvex, KurvexOnPort(pty, x, home));
  kurvex.Count();
  kurvex.Ask("query MEAS? " + std::to_string(run.IntervalMs));
  const double cpu0 = CpuSeconds(kurvex.Pid()), x0 = x ? CpuSeconds(x->Pid()) : 0;
  m.Started = kurvex.Ask("start trend " + std::to_string(kComNumber)) == "started";
  if (!m.Started) return m;
  m.Instrument = pty.Answer(run.Seconds, run.DelayMs);
  m.Cpu = CpuSeconds(kurvex.Pid()) - cpu0;
  m.XCpu = x ? CpuSeconds(x->Pid()) - x0 : 0;
  m.Counted = kurvex.Count();
  std::istringstream answers(kurvex.Ask("answers"));
  double median = 0, p99 = 0, max = 0;
  answers >> m.Missing >> median >> p99 >> max;
  m.MedianMs = median / 1000;
  m.P99Ms = p99 / 1000;
  m.MaxMs = max / 1000;
  return m;
}

void WriteQueries(JsonWriter& json, const std::vector<QueryMeasured>& runs) {
  json.Key("queries").BeginArray();
  for (const QueryMeasured& m : runs) {
    json.BeginObject();
    json.Key("platform").String(m.Plan.Platform);
    json.Key("name").String(m.Plan.Name());
    json.Key("interval_ms").Integer(m.Plan.IntervalMs);
    json.Key("answer_delay_ms").Integer(m.Plan.DelayMs);
    json.Key("seconds").Number(m.Plan.Seconds, 1);
    json.Key("started").Bool(m.Started);
    json.Key("queries_received").Integer(m.Instrument.Queries);
    json.Key("answers_sent").Integer(m.Instrument.Answers);
    json.Key("samples_counted").Integer(m.Counted);
    json.Key("answers_per_s").Number(static_cast<double>(m.Counted) / m.Plan.Seconds, 1);
    json.Key("missing_answers").Integer(m.Missing);
    json.Key("round_trip_median_ms").Number(m.MedianMs, 3);
    json.Key("round_trip_p99_ms").Number(m.P99Ms, 3);
    json.Key("round_trip_max_ms").Number(m.MaxMs, 3);
    json.Key("cpu_percent").Number(100 * m.Cpu / m.Plan.Seconds, 2);
    json.Key("x_cpu_percent").Number(100 * m.XCpu / m.Plan.Seconds, 2);
    json.EndObject();
  }
  json.EndArray();
}

struct FloodMeasured {
  std::string Platform;
  bool Started = false;
  bool Answered = true;  // false: a command got no answer within its time; the figures are lower bounds
  long long Frames = 0;
  double Seconds = 0, TakenPerSecond = 0, LongestFrameGapMs = 0, StopMs = 0, CountMs = 0;
};

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

FloodMeasured MeasureFlood(const std::string& platform, const Options& options, const XServer* x,
                           const fs::path& home) {
  constexpr int kCpu = 0;
  constexpr int kAnswerMs = 20000;
  FloodMeasured m{platform};
  PtyFeeder pty;
  KurvexProcess kurvex(options.Kurvex, KurvexOnPort(pty, x, home), kCpu);
  kurvex.Count();
  BusyLoops busy(2, kCpu);
  m.Started = kurvex.Ask("start trend " + std::to_string(kComNumber)) == "started";
  if (!m.Started) return m;
  std::atomic<bool> flooding{true};
  std::thread feeder([&] { pty.Flood(flooding); });
  // The time each answer took; an unanswered command ends the run.
  const auto ask = [&](const std::string& command, double& ms) {
    const auto asked = Clock::now();
    std::string answer;
    try {
      answer = kurvex.Ask(command, kAnswerMs);
    } catch (const std::exception&) {
      m.Answered = false;
    }
    ms = MillisecondsSince(asked);
    return answer;
  };
  double ms = 0;
  std::this_thread::sleep_for(std::chrono::seconds(1));  // the backlog builds up
  ask("frames", ms);
  const auto start = Clock::now();
  const std::string first = m.Answered ? ask("count", ms) : "";
  if (m.Answered) std::this_thread::sleep_for(std::chrono::seconds(options.Quick ? 2 : 6));
  std::istringstream frames(m.Answered ? ask("frames", m.LongestFrameGapMs) : "");
  frames >> m.Frames >> m.LongestFrameGapMs;
  const std::string last = m.Answered ? ask("count", m.CountMs) : "";
  m.Seconds = std::chrono::duration<double>(Clock::now() - start).count();
  if (m.Answered) m.TakenPerSecond = static_cast<double>(std::stoll(last) - std::stoll(first)) / m.Seconds;
  if (m.Answered) ask("stop", m.StopMs);
  if (!m.Answered) m.LongestFrameGapMs = std::max<double>(m.LongestFrameGapMs, kAnswerMs);
  flooding = false;
  feeder.join();
  return m;
}

void WriteFloods(JsonWriter& json, const std::vector<FloodMeasured>& runs) {
  json.Key("flood").BeginArray();
  for (const FloodMeasured& m : runs) {
    json.BeginObject();
    json.Key("platform").String(m.Platform);
    json.Key("started").Bool(m.Started);
    json.Key("seconds").Number(m.Seconds, 3);
    json.Key("taken_lines_per_s").Integer(static_cast<long long>(m.TakenPerSecond));
    json.Key("answered").Bool(m.Answered);
    json.Key("frames").Integer(m.Frames);
    json.Key("longest_frame_gap_ms").Number(m.LongestFrameGapMs, 1);
    json.Key("count_answer_ms").Number(m.CountMs, 1);
    json.Key("stop_to_idle_ms").Number(m.StopMs, 1);
    json.EndObject();
  }
  json.EndArray();
}

std::string LoadAverage() {
  std::ifstream file("/proc/loadavg");
  std::string a, b, c;
  file >> a >> b >> c;
  return a + " " + b + " " + c;
}

// Lines per second the program counted, from the first line sent to the
// moment it had caught up.
double Taken(const Measured& m) {
  const double seconds = m.FeedSeconds + std::max(m.CatchUpSeconds, 0.0);
  return m.CatchUpSeconds >= 0 && seconds > 0 ? static_cast<double>(m.Counted) / seconds : 0;
}

// Program and X server together as a multiple of the floor on the same
// platform in the same run: figures of different machine states compare
// only so. 0 without a floor.
double TimesFloor(const std::vector<FloorMeasured>& floors, const std::string& platform, double percent) {
  for (const FloorMeasured& floor : floors) {
    const double together = floor.Cost.Cpu + floor.Cost.XCpu;
    if (floor.Platform == platform && together > 0) return percent / together;
  }
  return 0;
}

void WriteRuns(JsonWriter& json, const std::vector<Measured>& runs, const std::vector<FloorMeasured>& floors) {
  json.Key("runs").BeginArray();
  for (const Measured& m : runs) {
    const double per100k = m.Counted > 0 ? kLinesPer100k / static_cast<double>(m.Counted) : 0;
    const double seconds = m.FeedSeconds + std::max(m.CatchUpSeconds, 0.0);
    const auto timesFloor = [&](double percent) { return TimesFloor(floors, m.Plan.Platform, percent); };
    json.BeginObject();
    json.Key("platform").String(m.Plan.Platform);
    json.Key("mode").String(m.Plan.Mode);
    json.Key("rate_lines_per_s");
    if (m.Plan.Rate > 0)
      json.Integer(static_cast<long long>(m.Plan.Rate));
    else
      json.String("max");
    json.Key("values_per_line").Integer(m.Plan.Values);
    json.Key("started").Bool(m.Started);
    json.Key("lines_sent").Integer(m.Sent);
    json.Key("lines_counted").Integer(m.Counted);
    json.Key("lines_lost").Integer(m.Sent - m.Counted);
    json.Key("send_rate_lines_per_s").Number(m.FeedSeconds > 0 ? static_cast<double>(m.Sent) / m.FeedSeconds : 0, 0);
    json.Key("taken_lines_per_s").Number(Taken(m), 0);
    json.Key("lag_lines_at_end").Integer(m.LagAtEnd);
    json.Key("catch_up_s").Number(m.CatchUpSeconds, 3);
    json.Key("cpu_s_per_100k_lines").Number(m.Cpu * per100k, 3);
    json.Key("x_cpu_s_per_100k_lines").Number(m.XCpu * per100k, 3);
    json.Key("peak_rss_mib").Number(m.PeakRss, 1);
    json.Key("rss_mib_before").Number(m.RssBefore, 1);
    json.Key("rss_mib_after").Number(m.RssAfter, 1);
    json.Key("idle_cpu_percent_port_open").Number(m.IdleCpuPercent, 2);
    json.Key("x_idle_cpu_percent_port_open").Number(m.XIdleCpuPercent, 2);
    json.Key("idle_cpu_percent_after_run").Number(m.IdleAfterCpuPercent, 2);
    json.Key("x_idle_cpu_percent_after_run").Number(m.XIdleAfterCpuPercent, 2);
    json.Key("run_times_floor").Number(seconds > 0 ? timesFloor(100 * (m.Cpu + m.XCpu) / seconds) : 0, 2);
    json.Key("idle_times_floor").Number(timesFloor(m.IdleCpuPercent + m.XIdleCpuPercent), 2);
    json.Key("idle_after_run_times_floor").Number(timesFloor(m.IdleAfterCpuPercent + m.XIdleAfterCpuPercent), 2);
    json.Key("pty_stalled").Bool(m.Stalled);
    json.EndObject();
  }
  json.EndArray();
}

struct MachineState {
  std::string LoadBefore, LoadAfter;
  double PageUsHot = 0, PageUsAfterPause = 0;
};

std::string Json(const std::vector<Measured>& runs, const std::vector<FloodMeasured>& floods,
                 const std::vector<QueryMeasured>& queries, const std::vector<FloorMeasured>& floors,
                 const MachineState& machine) {
  JsonWriter json;
  json.BeginObject();
  json.Key("machine").BeginObject();
  json.Key("cpus").Integer(std::thread::hardware_concurrency());
  json.Key("loadavg_before").String(machine.LoadBefore);
  json.Key("loadavg_after").String(machine.LoadAfter);
  json.Key("page_read_us_hot").Number(machine.PageUsHot, 3);
  json.Key("page_read_us_after_50ms_pause").Number(machine.PageUsAfterPause, 3);
  json.EndObject();
  WriteFloors(json, floors);
  WriteFloods(json, floods);
  WriteRuns(json, runs, floors);
  WriteQueries(json, queries);
  json.EndObject();
  return json.Text();
}

std::optional<Options> ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--quick") {
      options.Quick = true;
    } else if (arg == "--flood-only") {
      options.FloodOnly = true;
    } else if (arg == "--platform" && hasValue) {
      options.Platforms = argv[++i];
    } else if (arg == "--out" && hasValue) {
      options.Out = argv[++i];
    } else if (arg == "--only" && hasValue) {
      options.Only = argv[++i];
    } else if (arg == "--kurvex" && hasValue) {
      options.Kurvex = argv[++i];
    } else {
      return std::nullopt;
    }
  }
  return options;
}

int Main(int argc, char** argv) {
  const std::optional<Options> options = ParseOptions(argc, argv);
  if (!options) {
    std::cerr << "usage: window-bench [--quick] [--flood-only] [--only RUN] [--platform offscreen|xvfb|both] "
                 "[--out FILE] [--kurvex BINARY]\n";
    return 2;
  }
  char pattern[] = "/tmp/kurvex-window-bench-XXXXXX";
  if (!mkdtemp(pattern)) return 1;
  const fs::path home = pattern;
  MachineState machine;
  machine.LoadBefore = LoadAverage();
  machine.PageUsHot = MicrosecondsPerPageAfter(std::chrono::milliseconds(0));
  machine.PageUsAfterPause = MicrosecondsPerPageAfter(std::chrono::milliseconds(50));
  std::fprintf(stderr, "memory: %.3f us per page read at once, %.2f us after a 50 ms pause\n", machine.PageUsHot,
               machine.PageUsAfterPause);
  std::vector<FloorMeasured> floors;
  std::vector<Measured> results;
  std::vector<FloodMeasured> floods;
  std::vector<QueryMeasured> queries;
  const auto runAll = [&](const std::string& platform, const XServer* x) {
    if (options->Only.empty()) {
      floods.push_back(MeasureFlood(platform, *options, x, home));
      const FloodMeasured& f = floods.back();
      std::fprintf(stderr, "%-9s flood on a third of a core: %.0f lines/s taken, %lld frames, longest gap %.0f ms, "
                   "stop %.0f ms\n", platform.c_str(), f.TakenPerSecond, f.Frames, f.LongestFrameGapMs, f.StopMs);
    }
    if (options->FloodOnly) return;
    if (Chosen(*options, "floor")) {
      floors.push_back(MeasureFloor(platform, *options, x, home));
      std::fprintf(stderr, "%-9s floor (a bare Qt window ticking 20/s)  : %.2f %% (X %.2f %%)\n", platform.c_str(),
                   floors.back().Cost.Cpu, floors.back().Cost.XCpu);
    }
    for (const Run& run : Plan(*options, platform)) {
      results.push_back(Measure(run, *options, x, home));
      const Measured& m = results.back();
      const double per100k = m.Counted > 0 ? kLinesPer100k / static_cast<double>(m.Counted) : 0.0;
      std::fprintf(stderr, "%-9s %-22s: sent %lld counted %lld, %.2f s CPU per 100k lines (X %.2f), "
                   "idle %.2f %% (X %.2f %%), after %.2f %% (X %.2f %%)\n",
                   platform.c_str(), run.Name().c_str(), m.Sent, m.Counted, m.Cpu * per100k, m.XCpu * per100k,
                   m.IdleCpuPercent, m.XIdleCpuPercent, m.IdleAfterCpuPercent, m.XIdleAfterCpuPercent);
    }
    for (const QueryRun& run : QueryPlan(*options, platform)) {
      queries.push_back(MeasureQuery(run, *options, x, home));
      const QueryMeasured& q = queries.back();
      std::fprintf(stderr, "%-9s %-22s: %lld queries, %lld answers, %lld samples, %lld missing, round trip median "
                   "%.2f ms p99 %.2f ms max %.2f ms, CPU %.2f %% (X %.2f %%)\n",
                   platform.c_str(), run.Name().c_str(), q.Instrument.Queries, q.Instrument.Answers, q.Counted,
                   q.Missing, q.MedianMs, q.P99Ms, q.MaxMs, 100 * q.Cpu / run.Seconds, 100 * q.XCpu / run.Seconds);
    }
  };
  if (options->Platforms != "xvfb") runAll("offscreen", nullptr);
  if (options->Platforms != "offscreen") {
    XServer x;
    if (x.Running()) {
      runAll("xvfb", &x);
    } else {
      std::fprintf(stderr, "Xvfb not available: only offscreen runs\n");
    }
  }
  fs::remove_all(home);
  fs::create_directories(fs::absolute(options->Out).parent_path());
  machine.LoadAfter = LoadAverage();
  std::ofstream(options->Out) << Json(results, floods, queries, floors, machine);
  std::fprintf(stderr, "wrote %s\n", options->Out.c_str());
  return 0;
}

}  // namespace
}  // namespace kurvex::bench

int main(int argc, char** argv) {
  try {
    return kurvex::bench::Main(argc, argv);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "window-bench: %s\n", error.what());
    return 1;
  }
}
