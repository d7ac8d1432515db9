// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace kurvex::sim {

enum class Wave : std::uint8_t { Sine, Ramp, Noise, Steps };
enum class LineEnd : std::uint8_t { CrLf, Lf, Cr };

/// What the simulator was asked to do.
struct Options {
  unsigned Port = 5;           ///< n of the COM<n> link
  double Rate = 2000;          ///< lines per second
  Wave Shape = Wave::Sine;
  std::uint64_t Count = 0;     ///< lines to send; 0 = until stopped
  LineEnd End = LineEnd::CrLf;
  unsigned Values = 1;         ///< values per line
  std::vector<std::string> Names;  ///< the values' names; empty: unnamed
  std::uint64_t BadLines = 0;  ///< every N-th line is not a number; 0 = none
  bool Answer = false;         ///< answer queries instead of streaming
  unsigned AnswerDelayMs = 0;  ///< time each answer takes
  bool Help = false;
};

/// Options, or the reason the arguments are not usable.
using ParseResult = std::variant<Options, std::string>;

/// Parses the arguments after the program name; "--name value" and
/// "--name=value" are both accepted.
ParseResult ParseOptions(const std::vector<std::string>& args);

/// The --help text.
std::string Usage();

}  // namespace kurvex::sim
