// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/sim/samples.h"

#include <cmath>
#include <cstdio>
#include <numbers>

namespace kurvex::sim {

namespace {

constexpr std::uint64_t kPeriod = 1000;
constexpr std::uint64_t kStepLength = 200;

// splitmix64: a good spread from the index alone, so noise needs no state.
std::uint64_t Mix(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ULL;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
  return x ^ (x >> 31);
}

}  // namespace

const char* Terminator(LineEnd end) {
  switch (end) {
    case LineEnd::Lf:
      return "\n";
    case LineEnd::Cr:
      return "\r";
    case LineEnd::CrLf:
      break;
  }
  return "\r\n";
}

double WaveValue(Wave wave, std::uint64_t index) {
  const std::uint64_t phase = index % kPeriod;
  switch (wave) {
    case Wave::Sine:
      return 5.0 + 4.5 * std::sin(2.0 * std::numbers::pi * static_cast<double>(phase) / kPeriod);
    case Wave::Ramp:
      return 10.0 * static_cast<double>(phase) / kPeriod;
    case Wave::Noise:
      // 53 random bits → [0, 1), scaled to 2.5..7.5.
      return 2.5 + 5.0 * static_cast<double>(Mix(index) >> 11) * 0x1.0p-53;
    case Wave::Steps:
      return 1.0 + 2.0 * static_cast<double>((phase / kStepLength) % 5);
  }
  return 0.0;
}

std::string SampleLine(const Options& options, std::uint64_t index) {
  const char* terminator = Terminator(options.End);
  if (options.BadLines != 0 && (index + 1) % options.BadLines == 0) {
    return std::string("n/a") + terminator;
  }
  std::string line;
  for (unsigned k = 0; k < options.Values; ++k) {
    if (k > 0) line += ';';
    if (k < options.Names.size()) line += options.Names[k] + ':';
    // The program never leaves the C locale, so %f writes the decimal point
    // the protocol wants.
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", WaveValue(options.Shape, index + k * kPeriod / options.Values));
    line += text;
  }
  return line + terminator;
}

}  // namespace kurvex::sim
