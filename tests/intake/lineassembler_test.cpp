// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "intake/lineassembler.h"

namespace kurvex {
namespace {

struct Assembly {
  TIntakeState state;
  TLineAssembler assembler;
  std::vector<std::string> lines;
  void Feed(const std::string& bytes) {
    assembler.Assemble(state, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
                       [this](std::string_view line) { lines.emplace_back(line); });
  }
};

TEST(LineAssemblerTest, OnlyCrLfEndsALine) {
  Assembly a;
  a.Feed("12.5\r\n");
  a.Feed("1\x0d");
  a.Feed("\n2\r\n");
  a.Feed("12\r34\r\n");  // a CR on its own is dropped
  a.Feed("\r\r\n");      // CR CR LF ends no line
  EXPECT_EQ(a.lines, (std::vector<std::string>{"12.5", "1", "2", "1234"}));
  EXPECT_EQ(a.state.PendingLine, "\r\n");
  a.Feed("\r\n");
  EXPECT_EQ(a.lines.back(), "\r\n");
}

TEST(LineAssemblerTest, LinesSpanAnyNumberOfBatches) {
  Assembly a;
  const std::string stream = "1.5\r\n-2\r\n\r\n3e2\r\n";
  for (char c : stream) a.Feed(std::string(1, c));
  EXPECT_EQ(a.lines, (std::vector<std::string>{"1.5", "-2", "", "3e2"}));
  a.Feed("4\n5\n");  // LF alone ends nothing
  EXPECT_EQ(a.lines.size(), 4u);
  EXPECT_EQ(a.state.PendingLine, "4\n5\n");
}

TEST(LineAssemblerTest, AFailingLineIsConsumedAndTheBatchEndsThere) {
  Assembly a;
  std::vector<std::string> seen;
  const std::string bytes = "1\r\nbad\r\n3\r\n";
  EXPECT_THROW(a.assembler.Assemble(a.state, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                    bytes.size(),
                                    [&](std::string_view line) {
                                      seen.emplace_back(line);
                                      if (line == "bad") throw std::runtime_error("x");
                                    }),
               std::runtime_error);
  EXPECT_EQ(seen, (std::vector<std::string>{"1", "bad"}));
  EXPECT_EQ(a.state.PendingLine, "");
  EXPECT_EQ(a.state.TerminatorPos, 1);
  a.Feed("4\r\n");
  EXPECT_EQ(a.lines, std::vector<std::string>{"4"});
}

TEST(LineAssemblerTest, AnOverlongLineIsDroppedUpToItsTerminator) {
  Assembly a;
  a.Feed(std::string(kMaxPendingLine, '7'));
  EXPECT_EQ(a.state.PendingLine.size(), kMaxPendingLine);
  a.Feed("77");
  a.Feed(std::string(1 << 20, '8'));
  EXPECT_TRUE(a.state.PendingLine.empty());
  a.Feed("9\r\n5\r\n");
  EXPECT_EQ(a.lines, std::vector<std::string>{"5"});
}

}  // namespace
}  // namespace kurvex
