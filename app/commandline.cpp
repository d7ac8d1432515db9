// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandline.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <system_error>

#include "app/dataformat.h"
#include "intake/linevalues.h"
#include "serial/commandescapes.h"
#include "setup/entrykinds.h"
#include "setup/setup.h"

namespace kurvex {

namespace {

namespace fs = std::filesystem;

// The longest path the system opens (PATH_MAX with its end byte); a longer
// one could only fail later, and this bound keeps the hand-over small.
constexpr std::size_t kMaxPath = 4095;
constexpr std::uint32_t kMaxPortNo = 65535;

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

std::optional<std::uint32_t> PositiveNumber(const std::string& text) {
  std::uint32_t value = 0;
  const char* last = text.data() + text.size();
  const auto [end, error] = std::from_chars(text.data(), last, value);
  if (text.empty() || error != std::errc() || end != last || value == 0) return std::nullopt;
  return value;
}

std::optional<std::string> AbsolutePath(const std::string& path, const fs::path& currentDirectory) {
  if (path.empty()) return std::nullopt;
  const std::string absolute = (currentDirectory / path).lexically_normal().string();
  if (absolute.size() > kMaxPath) return std::nullopt;
  return absolute;
}

// "5" or "COM5" is a COM number; anything with a "/" a device path.
std::optional<std::string> PortOf(const std::string& text, const fs::path& currentDirectory) {
  if (text.find('/') != std::string::npos) return AbsolutePath(text, currentDirectory);
  const std::string upper = Upper(text);
  const std::optional<std::uint32_t> portNo = PositiveNumber(upper.starts_with("COM") ? upper.substr(3) : upper);
  if (!portNo || *portNo > kMaxPortNo) return std::nullopt;
  return std::to_string(*portNo);
}

std::optional<std::string> DataFormatNamed(const std::string& text) {
  const std::vector<std::string>& items = DataFormatItems();
  const auto item = std::find(items.begin(), items.end(), Upper(text));
  if (item == items.end()) return std::nullopt;
  return *item;
}

std::string DataFormatChoices() {
  const std::vector<std::string>& items = DataFormatItems();
  std::string choices;
  for (std::size_t i = 0; i < items.size(); ++i) {
    choices += (i == 0 ? "" : i + 1 == items.size() ? " or " : ", ") + items[i];
  }
  return choices;
}

// The switch an option without a value stands for; null for any other.
bool* FlagNamed(TCommandLine& commandLine, const std::string& name) {
  if (name == "--trend") return &commandLine.Trend;
  if (name == "--start") return &commandLine.Start;
  if (name == "--help" || name == "-h") return &commandLine.Help;
  if (name == "--version") return &commandLine.Version;
  return nullptr;
}

bool EndsInSetupExtension(const std::string& argument) {
  return argument.size() >= 4 && Upper(argument.substr(argument.size() - 4)) == ".KXS";
}

}  // namespace

TCommandLineParse ParseCommandLine(const std::vector<std::string>& args, const fs::path& currentDirectory) {
  TCommandLine commandLine;
  bool onlyFiles = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& argument = args[i];
    if (onlyFiles || !argument.starts_with("-")) {
      if (commandLine.SetupFile) return "only one setup file can be given, not also " + argument;
      commandLine.SetupFile = AbsolutePath(argument, currentDirectory);
      if (!commandLine.SetupFile) return "not a usable setup file name: \"" + argument + "\"";
      continue;
    }
    if (argument == "--") {
      onlyFiles = true;
      continue;
    }
    std::string name = argument;
    std::optional<std::string> inlineValue;
    if (const std::size_t eq = name.find('='); name.starts_with("--") && eq != std::string::npos) {
      inlineValue = name.substr(eq + 1);
      name.resize(eq);
    }
    if (bool* flag = FlagNamed(commandLine, name)) {
      if (inlineValue) return name + " takes no value";
      *flag = true;
      continue;
    }
    if (name == "--record") {
      commandLine.Record = true;
      commandLine.RecordFile.reset();
      if (!inlineValue && i + 1 < args.size() && !args[i + 1].starts_with("-") && !EndsInSetupExtension(args[i + 1]))
        inlineValue = args[++i];
      if (!inlineValue) continue;
      commandLine.RecordFile = AbsolutePath(*inlineValue, currentDirectory);
      if (!commandLine.RecordFile) return "--record wants a usable file name, not \"" + *inlineValue + "\"";
      continue;
    }
    if (name != "--port" && name != "--baud" && name != "--format" && name != "--send-at-start" && name != "--query" &&
        name != "--interval" && name != "--x-axis")
      return "unknown option " + name;
    if (!inlineValue && i + 1 >= args.size()) return name + " needs a value";
    const std::string value = inlineValue ? *inlineValue : args[++i];
    if (name == "--port") {
      commandLine.Port = PortOf(value, currentDirectory);
      if (!commandLine.Port) {
        return "--port wants a COM number from 1 to 65535 or a device path such as /dev/ttyUSB0, not \"" + value +
               "\"";
      }
    } else if (name == "--baud") {
      commandLine.BaudRate = PositiveNumber(value);
      if (!commandLine.BaudRate) return "--baud wants a positive number of bits per second, not \"" + value + "\"";
    } else if (name == "--format") {
      commandLine.DataFormat = DataFormatNamed(value);
      if (!commandLine.DataFormat) return "--format wants " + DataFormatChoices() + ", not \"" + value + "\"";
    } else if (name == "--interval") {
      commandLine.IntervalMs = PositiveNumber(value);
      if (!commandLine.IntervalMs || *commandLine.IntervalMs < TSetup::kMinQueryMs ||
          *commandLine.IntervalMs > TSetup::kMaxQueryMs)
        return "--interval wants milliseconds from 10 to 3600000, not \"" + value + "\"";
    } else if (name == "--x-axis") {
      // Anything else is a curve's name, as a line of the instrument may give one.
      if (!XAxisNamed(value) && (value.empty() || value.size() > TLineValues::kMaxName || value.starts_with("-")))
        return "--x-axis wants samples, seconds, time-of-day, or a curve's name or number 1 to 16, not \"" + value + "\"";
      commandLine.XAxis = value;
    } else {
      if (const TCommandBytes bytes = ParseCommandEscapes(value); !bytes.Ok() || value.empty())
        return name + " wants a command, not \"" + value + "\"" + (bytes.Ok() ? "" : " (bad escape " + bytes.BadEscape + ")");
      (name == "--query" ? commandLine.Query : commandLine.SendAtStart) = value;
    }
  }
  return commandLine;
}

std::vector<std::string> CommandLineArguments(const TCommandLine& commandLine) {
  std::vector<std::string> args;
  if (commandLine.Port) args.push_back("--port=" + *commandLine.Port);
  if (commandLine.BaudRate) args.push_back("--baud=" + std::to_string(*commandLine.BaudRate));
  if (commandLine.DataFormat) args.push_back("--format=" + *commandLine.DataFormat);
  if (commandLine.Trend) args.emplace_back("--trend");
  if (commandLine.Record) args.push_back(commandLine.RecordFile ? "--record=" + *commandLine.RecordFile : "--record");
  if (commandLine.SendAtStart) args.push_back("--send-at-start=" + *commandLine.SendAtStart);
  if (commandLine.Query) args.push_back("--query=" + *commandLine.Query);
  if (commandLine.IntervalMs) args.push_back("--interval=" + std::to_string(*commandLine.IntervalMs));
  if (commandLine.XAxis) args.push_back("--x-axis=" + *commandLine.XAxis);
  if (commandLine.Start) args.emplace_back("--start");
  if (commandLine.SetupFile) {
    args.emplace_back("--");
    args.push_back(*commandLine.SetupFile);
  }
  return args;
}

std::string CommandLineUsage() {
  return "Usage: kurvex [SETUP.kxs] [--port N|DEVICE] [--baud N] [--format F] [--trend]\n"
         "              [--record [FILE]] [--send-at-start TEXT] [--query TEXT]\n"
         "              [--interval MS] [--x-axis X] [--start] [--help] [--version]\n"
         "Opens the Kurvex window, which plots the numbers an instrument sends over a\n"
         "serial port; with a setup file (a \"Messaufbau\", .kxs) its settings. The\n"
         "options override the setup. When Kurvex already runs, the setup and options\n"
         "go to its window, which takes them over unless it is acquiring.\n"
         "\n"
         "  --port N|DEVICE  the COM port: its number, or a device path such as\n"
         "                   /dev/ttyUSB0 that a COM number leads to\n"
         "  --baud N         bits per second, e.g. 9600\n"
         "  --format F       data bits, parity and stop bits:\n"
         "                   " + DataFormatChoices() + "\n"
         "  --trend          Trend mode: the graph scrolls once it is full\n"
         "  --record [FILE]  tick \"Aufzeichnen\": record into FILE (the next argument\n"
         "                   unless it starts with - or ends in .kxs), else a new file\n"
         "  --send-at-start TEXT  send TEXT to the instrument once the port opens,\n"
         "                   with the escapes \\r \\n \\t \\\\ \\xNN; then CR LF, or the\n"
         "                   line end the setup names\n"
         "  --query TEXT     ask the instrument with TEXT while acquiring, the next\n"
         "                   time only once it answered or a timeout passed\n"
         "  --interval MS    the query's interval, 10 to 3600000 ms (default 1000)\n"
         "  --x-axis X       what the X axis shows: samples, seconds (since Start),\n"
         "                   time-of-day, or a curve (its name or number 1 to 16)\n"
         "                   that the other curves are drawn against\n"
         "  --start          start the acquisition once the window shows\n"
         "  -h, --help       show this text\n"
         "  --version        show the version\n";
}

}  // namespace kurvex
