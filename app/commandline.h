// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kurvex {

/// What the program was started with. Paths are absolute; an option not
/// given leaves the window's setting as it is. Every member has an
/// initializer, so a command line can be written naming only what it gives.
struct TCommandLine {
  std::optional<std::string> SetupFile{};
  std::optional<std::string> Port{};  ///< a COM number, "5", or a device path
  std::optional<std::uint32_t> BaudRate{};
  std::optional<std::string> DataFormat{};  ///< one the port settings offer, "7E1"
  bool Trend = false;
  bool Record = false;
  std::optional<std::string> RecordFile{};  ///< only with Record
  /// Sent once the port opens; the query, every IntervalMs while acquiring.
  std::optional<std::string> SendAtStart{};
  std::optional<std::string> Query{};
  std::optional<std::uint32_t> IntervalMs{};
  /// "samples", "seconds", "time-of-day", a curve's number 1–16, or a
  /// curve's name, which the window looks up among its curves.
  std::optional<std::string> XAxis{};
  bool Start = false;
  bool Help = false;
  bool Version = false;
  friend bool operator==(const TCommandLine&, const TCommandLine&) = default;
};

/// The command line, or why the arguments are not usable (one English line).
using TCommandLineParse = std::variant<TCommandLine, std::string>;

/// Parses the arguments after the program name; relative paths are taken
/// against `currentDirectory`. "--name value" and "--name=value" are both
/// accepted; a later option overrides the same one given earlier. Any
/// argument that is not an option is the setup file, as is every argument
/// after "--". --record takes the next argument as its file unless it
/// starts with "-" or ends in ".kxs"; --record=FILE takes any name.
TCommandLineParse ParseCommandLine(const std::vector<std::string>& args, const std::filesystem::path& currentDirectory);

/// Arguments that parse to `commandLine` again in any directory (its paths
/// are absolute): what a later copy hands to the first. --help and
/// --version are left out.
std::vector<std::string> CommandLineArguments(const TCommandLine& commandLine);

/// The --help text.
std::string CommandLineUsage();

}  // namespace kurvex
