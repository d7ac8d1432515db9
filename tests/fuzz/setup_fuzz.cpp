// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a setup file to open: reading must never crash, hang
// or hit undefined behaviour, a refusal says where, and what is read is
// written and read again as the same setup and the same bytes. The bytes
// are also read as the value of one entry of a whole setup (the first byte
// chooses which), so every entry's reader and the lines of skipped entries
// are reached without the fuzzer having to find a valid file first.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "intake/intakestate.h"
#include "setup/setupfile.h"

namespace {

// A setup with every entry; no value holds a ',' or a '}'.
constexpr std::string_view kEverySetting = R"({"Kurvex-Setup": 1,
  "port": {"com": 5, "adapter": "/dev/serial/by-id/usb-x", "device": "/dev/ttyUSB0", "baudRate": 9600,
           "dataFormat": "7E1"},
  "scaling": {"factor": 1.5, "offset": -0.25},
  "graph": {"mode": "Trend", "xMax": 1000, "yMax": 10, "yMin": 0, "grid": true, "doubleTics": false, "logY": false},
  "recording": {"record": true, "folder": "/tmp", "file": "/tmp/a.csv", "dialect": "comma"},
  "curves": [{"name": "T", "color": "#0000ff", "shown": true}, {"shown": false}]})";

// kEverySetting with the value of its entry number `entry` (0 the version)
// replaced by `value`.
std::string WithValue(std::size_t entry, std::string_view value) {
  const std::size_t entries = static_cast<std::size_t>(std::count(kEverySetting.begin(), kEverySetting.end(), ':'));
  std::size_t at = 0;
  for (std::size_t i = 0; i <= entry % entries; ++i) at = kEverySetting.find(':', at) + 1;
  const std::size_t end = kEverySetting.find_first_of(",}", at);
  return std::string(kEverySetting.substr(0, at)) + std::string(value) + std::string(kEverySetting.substr(end));
}

void Check(std::string_view text) {
  const kurvex::TSetupRead read = kurvex::ReadSetup(text);
  const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
  if (read.Refusal != kurvex::TSetupRead::None) {
    if (!read.Refused || read.Refused->Line < 1 || read.Refused->Line > lines || !(read.Setup == kurvex::TSetup{}) ||
        !read.Skipped.empty())
      std::abort();
    return;
  }
  if (read.Refused || read.Setup.Curves.size() > kurvex::kMaxCurves) std::abort();
  for (const kurvex::TSetupProblem& problem : read.Skipped) {
    if (problem.Line < 1 || problem.Line > lines || problem.Entry.empty()) std::abort();
  }
  const std::string written = kurvex::SetupText(read.Setup);
  const kurvex::TSetupRead again = kurvex::ReadSetup(written);
  if (again.Refusal != kurvex::TSetupRead::None || !again.Skipped.empty() || !(again.Setup == read.Setup) ||
      kurvex::SetupText(again.Setup) != written)
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  Check(text);
  if (size > 0) Check(WithValue(data[0], text.substr(1)));
  return 0;
}
