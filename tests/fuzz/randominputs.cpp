// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a fuzz target's entry point on random inputs for a bounded time, so
// every test run (and the sanitized one with its checks) tries the target
// with any compiler; `make fuzz` runs the same targets under libFuzzer,
// which steers by coverage, for longer.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// Pieces of the texts the targets read: numbers good and bad, separators,
// line ends, a recording's header words and times, JSON and a setup's
// values.
const std::vector<std::string> kPieces = {
    "0", "1", "7", "-", "+", ".", ",", ";", "\t", " ", "\r", "\n", "\r\n", "\"", "e", "E", "1e400", "-0", "nan",
    "inf", "3.4e38", "1e-38", "12.5", "3,25", "Nr", "Zeit (ISO 8601, Ortszeit)", "Sekunden seit Start", "Rohwert",
    "Wert (skaliert)", "Rohwert Temp", "Wert Temp (skaliert)", "2026-12-07T10:15:00.123+01:00", "Temp:", "\xff",
    std::string(1, '\0'), "\xef\xbb\xbf", "{", "}", "[", "]", ":", "true", "false", "null", "\"", "\\u00e4",
    "\"8N1\"", "\"Trend\"", "\"comma\"", "\"#a0B0c0\"", "\"/dev/ttyUSB0\"", "99999", "4000000", "255"};

std::string Input(std::mt19937_64& random) {
  std::string input;
  if (random() % 2 == 0) {
    // Raw bytes, often whole 104-byte records for the graph file reader.
    const std::size_t size = random() % 3 == 0 ? 104 * (random() % 8) : random() % 2048;
    for (std::size_t i = 0; i < size; ++i) input += static_cast<char>(random());
  } else {
    const std::size_t pieces = random() % 400;
    for (std::size_t i = 0; i < pieces; ++i) input += kPieces[random() % kPieces.size()];
  }
  return input;
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 5;
  const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : std::random_device{}();
  // Printed first, so a failure can be run again with the same inputs.
  std::printf("seed %llu\n", static_cast<unsigned long long>(seed));
  std::fflush(stdout);
  std::mt19937_64 random(seed);
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  long runs = 0;
  do {
    const std::string input = Input(random);
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
    ++runs;
  } while (std::chrono::steady_clock::now() < end);
  std::printf("%ld inputs\n", runs);
  return 0;
}
