// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/commandline.h"

namespace kurvex {
namespace {

using Args = std::vector<std::string>;

constexpr char kHere[] = "/home/u/work";

struct Valid {
  Args args;
  TCommandLine expected;
};

// Each way of saying something, and which of two rivals wins.
const Valid kValid[] = {
    {{}, {}},
    {{"waage.kxs"}, {.SetupFile = "/home/u/work/waage.kxs"}},
    {{"../setups/./waage.kxs"}, {.SetupFile = "/home/u/setups/waage.kxs"}},
    {{"/srv/w.kxs"}, {.SetupFile = "/srv/w.kxs"}},
    {{"Waage"}, {.SetupFile = "/home/u/work/Waage"}},  // any name: the reader judges the content
    {{"--", "--odd.kxs"}, {.SetupFile = "/home/u/work/--odd.kxs"}},
    {{"--port", "5"}, {.Port = "5"}},
    {{"--port=COM7"}, {.Port = "7"}},
    {{"--port", "com12"}, {.Port = "12"}},
    {{"--port", "/dev/serial/by-id/usb-FTDI"}, {.Port = "/dev/serial/by-id/usb-FTDI"}},
    {{"--port", "dev/../pty"}, {.Port = "/home/u/work/pty"}},
    {{"--port", "5", "--port", "/dev/ttyS0"}, {.Port = "/dev/ttyS0"}},  // the later one
    {{"--baud", "9600"}, {.BaudRate = 9600}},
    {{"--baud=4294967295"}, {.BaudRate = 4294967295u}},
    {{"--format", "7e1"}, {.DataFormat = "7E1"}},
    {{"--format=8N2", "--format", "7N2"}, {.DataFormat = "7N2"}},
    {{"--trend", "--start"}, {.Trend = true, .Start = true}},
    {{"--record"}, {.Record = true}},
    {{"--record", "out.csv"}, {.Record = true, .RecordFile = "/home/u/work/out.csv"}},
    {{"--record", "Waage.KXS"}, {.SetupFile = "/home/u/work/Waage.KXS", .Record = true}},
    {{"--record", "--start"}, {.Record = true, .Start = true}},
    {{"--record=-x.csv"}, {.Record = true, .RecordFile = "/home/u/work/-x.csv"}},
    {{"--record=a.kxs"}, {.Record = true, .RecordFile = "/home/u/work/a.kxs"}},
    {{"--record", "a.csv", "--record"}, {.Record = true}},  // the later one: a new file
    {{"--query", "-MEAS?", "--interval", "20", "--send-at-start=*RST\\n"},
     {.SendAtStart = "*RST\\n", .Query = "-MEAS?", .IntervalMs = 20}},
    {{"--interval=3600000", "--query=A", "--query", "B"}, {.Query = "B", .IntervalMs = 3600000}},
    {{"--x-axis", "time-of-day"}, {.XAxis = "time-of-day"}},
    {{"--x-axis=16", "--x-axis", "U (V)"}, {.XAxis = "U (V)"}},  // a curve's name, looked up by the window
    {{"-h"}, {.Help = true}},
    {{"--version", "--help"}, {.Help = true, .Version = true}},
    {{"--start", "w.kxs", "--port", "/dev/ttyUSB0", "--baud", "19200", "--format", "7O1", "--trend", "--record", "r.csv"},
     {.SetupFile = "/home/u/work/w.kxs",
      .Port = "/dev/ttyUSB0",
      .BaudRate = 19200,
      .DataFormat = "7O1",
      .Trend = true,
      .Record = true,
      .RecordFile = "/home/u/work/r.csv",
      .Start = true}},
};

std::string Joined(const Args& args) {
  std::string text;
  for (const std::string& arg : args) text += "[" + arg + "]";
  return text;
}

TEST(CommandLine, ValidArgumentsAndWhichOfTwoWins) {
  for (const Valid& c : kValid) {
    const TCommandLineParse parsed = ParseCommandLine(c.args, kHere);
    const auto* commandLine = std::get_if<TCommandLine>(&parsed);
    ASSERT_NE(commandLine, nullptr) << Joined(c.args) << ": " << std::get<std::string>(parsed);
    EXPECT_EQ(*commandLine, c.expected) << Joined(c.args);
  }
}

// What a later copy hands over means the same in the first copy's directory.
TEST(CommandLine, HandedOverArgumentsParseToTheSameElsewhere) {
  for (const Valid& c : kValid) {
    TCommandLine expected = c.expected;
    expected.Help = expected.Version = false;
    const Args handed = CommandLineArguments(expected);
    const TCommandLineParse parsed = ParseCommandLine(handed, "/elsewhere");
    ASSERT_TRUE(std::holds_alternative<TCommandLine>(parsed)) << Joined(handed);
    EXPECT_EQ(std::get<TCommandLine>(parsed), expected) << Joined(handed);
  }
}

TEST(CommandLine, EachBadArgumentIsNamed) {
  const struct {
    Args args;
    std::string error;
  } cases[] = {
      {{"--bogus"}, "unknown option --bogus"},
      {{"-x"}, "unknown option -x"},
      {{"-"}, "unknown option -"},
      {{"--port"}, "--port needs a value"},
      {{"--trend", "--baud"}, "--baud needs a value"},
      {{"--format"}, "--format needs a value"},
      {{"--port", "0"}, "--port wants a COM number from 1 to 65535 or a device path such as /dev/ttyUSB0, not \"0\""},
      {{"--port", "65536"}, "not \"65536\""},
      {{"--port", "ttyUSB0"}, "not \"ttyUSB0\""},
      {{"--port=COM"}, "not \"COM\""},
      {{"--port", "5x"}, "not \"5x\""},
      {{"--baud", "0"}, "--baud wants a positive number of bits per second, not \"0\""},
      {{"--baud", "-9600"}, "not \"-9600\""},
      {{"--baud", "9600.5"}, "not \"9600.5\""},
      {{"--baud", "+9600"}, "not \"+9600\""},
      {{"--baud=4294967296"}, "not \"4294967296\""},
      {{"--baud="}, "not \"\""},
      {{"--format", "8E2"}, "--format wants 8N1, 8E1, 8O1, 8N2, 7E1, 7O1, 7N1 or 7N2, not \"8E2\""},
      {{"--format", "7x1"}, "not \"7x1\""},
      {{"--interval", "9"}, "--interval wants milliseconds from 10 to 3600000, not \"9\""},
      {{"--interval=3600001"}, "not \"3600001\""},
      {{"--query", "READ\\q"}, "--query wants a command, not \"READ\\q\" (bad escape \\q)"},
      {{"--send-at-start="}, "--send-at-start wants a command, not \"\""},
      {{"--query"}, "--query needs a value"},
      {{"--x-axis="}, "--x-axis wants samples, seconds, time-of-day, or a curve's name or number 1 to 16, not \"\""},
      {{"--x-axis", "-5"}, "not \"-5\""},
      {{"--x-axis", std::string(65, 'x')}, "--x-axis wants"},
      {{"a.kxs", "b.kxs"}, "only one setup file can be given, not also b.kxs"},
      {{"a.kxs", "--", "b.kxs"}, "only one setup file can be given, not also b.kxs"},
      {{"--trend=yes"}, "--trend takes no value"},
      {{"--start=1"}, "--start takes no value"},
      {{"--record="}, "--record wants a usable file name, not \"\""},
      {{"--record=" + std::string(5000, 'r')}, "--record wants a usable file name"},
      {{""}, "not a usable setup file name: \"\""},
      {{std::string(4090, 's')}, "not a usable setup file name"},
  };
  for (const auto& c : cases) {
    const TCommandLineParse parsed = ParseCommandLine(c.args, kHere);
    const auto* error = std::get_if<std::string>(&parsed);
    ASSERT_NE(error, nullptr) << Joined(c.args);
    EXPECT_NE(error->find(c.error), std::string::npos) << Joined(c.args) << ": " << *error;
  }
}

}  // namespace
}  // namespace kurvex
