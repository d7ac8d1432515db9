// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "csvimport/csvimport.h"
#include "recording/recordrow.h"

namespace kurvex {
namespace {

constexpr std::int64_t kRows = 10'000'000;
constexpr std::int64_t kStartNs = 1'796'634'900'000'000'000;  // 2026-12-07 09:15 UTC

// A recording of 10 million samples of one curve as Kurvex writes it: a
// 10 kHz instrument whose lines the reader brings in batches every
// millisecond. Written once; later runs reuse it.
const std::string& RecordingFile() {
  static const std::string path = [] {
    const std::string name = (std::filesystem::temp_directory_path() / "kurvex-bench-10M.csv").string();
    if (std::filesystem::exists(name)) return name;
    const std::string part = name + ".part";
    std::ofstream out(part, std::ios::binary);
    TRecordRowFormat format(cdComma);
    std::string block = format.Header();
    for (std::int64_t n = 1; n <= kRows; ++n) {
      const std::int64_t since = (n - 1) / 10 * 1'000'000;
      const auto raw = static_cast<float>(1000 * std::sin(static_cast<double>(n) * 1e-4) + static_cast<double>(n % 17));
      format.Append(block, {n, kStartNs + since, since, raw, raw * 0.01f});
      if (block.size() > (1 << 20)) {
        out << block;
        block.clear();
      }
    }
    out << block;
    out.close();
    std::filesystem::rename(part, name);
    return name;
  }();
  return path;
}

// Pages of the process in memory, in bytes.
std::int64_t ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  std::int64_t size = 0, resident = 0;
  statm >> size >> resident;
  return resident * ::sysconf(_SC_PAGESIZE);
}

// The page cache's copy of the file dropped first (cold), or kept from the
// run before (warm).
void EvictFromPageCache(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  ::fdatasync(fd);
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
  ::close(fd);
}

// Opening the recording as the window does: its layout from the first
// lines, then every row into a history; and the memory the history then holds.
void BM_OpenRecording10M(benchmark::State& state) {
  const bool cold = state.range(0) != 0;
  const std::string& path = RecordingFile();
  double bytesPerSample = 0;
  for (auto _ : state) {
    state.PauseTiming();
    if (cold) EvictFromPageCache(path);
    THistory history;
    const std::int64_t before = ResidentBytes();
    state.ResumeTiming();
    const TCsvProbe probe = ProbeCsvFile(path);
    TCsvProgress progress;
    const TCsvLoad load = LoadCsvFile(path, *probe.Layout, 0, history, progress);
    state.PauseTiming();
    if (load.Rows != kRows || load.BadRows != 0) state.SkipWithError("the recording did not load whole");
    bytesPerSample = static_cast<double>(ResidentBytes() - before) / static_cast<double>(kRows);
    state.ResumeTiming();
  }
  state.counters["resident_bytes_per_sample"] = bytesPerSample;
  state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_OpenRecording10M)->ArgName("cold")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace kurvex
