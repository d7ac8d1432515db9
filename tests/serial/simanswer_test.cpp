// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "tools/sim/answerer.h"
#include "tools/sim/samples.h"

namespace kurvex::sim {
namespace {

using Clock = Answerer::Clock;
using std::chrono::milliseconds;

TEST(SimAnswerer, EachCommandLineGetsItsAnswerWhateverItsEndOrCase) {
  Options options;
  options.Shape = Wave::Ramp;
  options.End = LineEnd::Lf;
  const std::string idn = std::string("Kurvex,Simulator,0,") + KURVEX_VERSION + "\n";
  const std::pair<const char*, std::string> cases[] = {
      {"MEAS?\r\n", "0.000\n"},
      {"READ?\n", "0.000\n"},
      {"meas?\r", "0.000\n"},
      {"  Read? \r\n", "0.000\n"},
      {"*IDN?\n", idn},
      {"*idn?\r\n", idn},
      {"MEAS\n", "ERR: unknown command\n"},
      {"MEAS? READ?\n", "ERR: unknown command\n"},
      {"\r\n\n\r", ""},
      {"MEAS?", ""},  // not ended yet
      {"MEAS?\r\nREAD?\rx\n*IDN?\n", "0.000\n0.010\nERR: unknown command\n" + idn},
  };
  const Clock::time_point now = Clock::now();
  for (const auto& [command, answer] : cases) {
    Answerer answerer(options);
    answerer.Take(command, now);
    EXPECT_EQ(answerer.Due(now), answer) << command;
  }
}

TEST(SimAnswerer, ACommandSplitAcrossReadsAndAnOverlongOneAreAnsweredOnce) {
  Options options;
  Answerer answerer(options);
  const Clock::time_point now = Clock::now();
  answerer.Take("ME", now);
  answerer.Take("AS?\r", now);
  answerer.Take("\nRE", now);
  EXPECT_EQ(answerer.Due(now), "5.000\r\n");
  answerer.Forget();
  answerer.Take("AD?\n", now);
  EXPECT_EQ(answerer.Due(now), "ERR: unknown command\r\n") << "the client that sent RE has gone";
  answerer.Take(std::string(5000, 'x'), now);
  std::string fourErrors;
  for (int i = 0; i < 4; ++i) fourErrors += "ERR: unknown command\r\n";
  EXPECT_EQ(answerer.Due(now), fourErrors) << "one for every 1025 bytes without a line end";
  EXPECT_EQ(answerer.Unknown(), 5u);
  EXPECT_EQ(answerer.Samples(), 1u);
}

TEST(SimAnswerer, ASlowInstrumentAnswersOneCommandAfterAnother) {
  Options options;
  options.AnswerDelayMs = 250;
  options.Shape = Wave::Ramp;
  Answerer answerer(options);
  const Clock::time_point start = Clock::now();
  EXPECT_FALSE(answerer.NextDue());
  answerer.Take("MEAS?\nMEAS?\n", start);
  EXPECT_EQ(answerer.NextDue(), start + milliseconds(250));
  EXPECT_EQ(answerer.Due(start + milliseconds(249)), "");
  EXPECT_EQ(answerer.Due(start + milliseconds(250)), "0.000\r\n");
  EXPECT_EQ(answerer.NextDue(), start + milliseconds(500));
  // One that comes while the second is worked on waits for it.
  answerer.Take("MEAS?\n", start + milliseconds(300));
  EXPECT_EQ(answerer.Due(start + milliseconds(749)), "0.010\r\n");
  EXPECT_EQ(answerer.Due(start + milliseconds(750)), "0.020\r\n");
  // One after a pause takes its own delay from its arrival.
  answerer.Take("MEAS?\n", start + milliseconds(2000));
  EXPECT_EQ(answerer.NextDue(), start + milliseconds(2250));
}

}  // namespace
}  // namespace kurvex::sim
