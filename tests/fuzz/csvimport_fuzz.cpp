// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a recording to open: cutting them into rows (quoted
// line breaks too), deciding their layout and loading them must never
// crash, hang or hit undefined behaviour, and the counts must add up.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "csvimport/csvimport.h"
#include "csvimport/csvlines.h"

namespace {

const std::string& FilePath() {
  static const std::string path = "/tmp/csvimport_fuzz-" + std::to_string(::getpid()) + ".csv";
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& path = FilePath();
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                 static_cast<std::streamsize>(size));
  // Rows under a tiny limit, so line ends and quotes fall across reads and
  // rows run too long; a row starts on a later line than the one before,
  // and no row is open at its quote but the last.
  {
    kurvex::TReadFile file(path);
    const std::size_t limit = size > 0 ? 1 + data[0] % 16 : 1;
    kurvex::TCsvLines lines(file, limit);
    if (size > 0 && data[0] >= 128) lines.SetSeparator(";,\t"[data[0] % 3]);
    kurvex::TCsvLine line;
    std::int64_t number = 0;
    bool openQuote = false;
    while (lines.Next(line)) {
      if (line.Number <= number || line.Text.size() > limit || openQuote || (line.OpenQuote && line.Ended))
        std::abort();
      number = line.Number;
      openQuote = line.OpenQuote;
    }
    if (lines.BytesRead() != static_cast<std::int64_t>(size) || number > static_cast<std::int64_t>(size)) std::abort();
  }
  const kurvex::TCsvProbe probe = kurvex::ProbeCsvFile(path);
  if (!probe.Layout) return 0;
  const kurvex::TCsvLayout& layout = *probe.Layout;
  if (layout.Values.empty()) std::abort();
  kurvex::THistory history(std::size_t{64} << 20);
  kurvex::TCsvProgress progress;
  const std::size_t column = size > 1 ? data[1] % layout.Values.size() : 0;
  const kurvex::TCsvLoad load = kurvex::LoadCsvFile(path, layout, column, history, progress);
  if (load.Error != 0 || load.Cancelled || load.Rows < 0 || load.BadRows < 0 ||
      history.LastNumber() > load.Rows + load.BadRows || (load.BadRows > 0) != (load.FirstBadLine > 0) ||
      history.Curves() > kurvex::kMaxCurves || progress.BytesRead != static_cast<std::int64_t>(size))
    std::abort();
  return 0;
}
