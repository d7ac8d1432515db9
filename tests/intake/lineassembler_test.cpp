// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "intake/lineassembler.h"
#include "intake/wirenumber.h"

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
  EXPECT_EQ(a.assembler.PendingLine(), "");
  // Not left after the failing line's CR: an LF alone is the next line's byte.
  a.Feed("\n4\r\n");
  EXPECT_EQ(a.lines, std::vector<std::string>{"\n4"});
}

// The over-long line's text goes, the line itself stays: it ends empty and
// marked, so it can still be counted.
TEST(LineAssemblerTest, AnOverlongLineIsDroppedUpToItsTerminatorAndHandedOnMarked) {
  Assembly a;
  std::vector<bool> tooLong;
  const auto feed = [&](const std::string& bytes) {
    a.assembler.Assemble(a.state, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
                         [&](std::string_view line) {
                           a.lines.emplace_back(line);
                           tooLong.push_back(a.assembler.TakeTooLongMark());
                         });
  };
  feed(std::string(kMaxPendingLine, '7'));
  EXPECT_EQ(a.assembler.PendingLine().size(), kMaxPendingLine);
  feed("77");
  feed(std::string(1 << 20, '8'));
  EXPECT_TRUE(a.assembler.PendingLine().empty());
  feed("9\r\n5\r\n");
  EXPECT_EQ(a.lines, (std::vector<std::string>{"", "5"}));
  EXPECT_EQ(tooLong, (std::vector<bool>{true, false}));
}

struct LineEndCase {
  const char* Name;
  std::string Stream;
  std::vector<std::string> Lines;  // trimmed
  TLineEnd Decided;
};

// Every stream fed whole, byte by byte and cut in two at every place: a line
// end split across reads is one line end, wherever the cut falls.
TEST(LineAssemblerTest, TakesTheInstrumentsLineEndHoweverTheBytesAreCut) {
  const std::vector<LineEndCase> cases{
      {"CR LF", "1\r\n2\r\n3\r\n", {"1", "2", "3"}, leCrLf},
      {"CR LF: a lone CR is dropped, CR CR LF ends no line", "1\r\n2\r\n3\r4\r\r\n\r\n", {"1", "2", "34"}, leCrLf},
      {"LF", "1\n2\n3\n", {"1", "2", "3"}, leLf},
      {"CR: a line waits for the byte after its CR", "1\r2\r3\r4", {"1", "2", "3"}, leCr},
      {"LF CR: one sample per line", "1\n\r2\n\r3\n\r", {"1", "2", "3"}, leLf},
      {"the rest of a CR LF before Start", "\n1\r\n2\r\n", {"1", "2"}, leCrLf},
      {"the rest of an LF CR before Start", "\r1\n\r2\n\r", {"1", "2"}, leLf},
      {"an empty line after the first is 0", "1\r\n\r\n2\r\n", {"1", "", "2"}, leCrLf},
      {"a mix: the first kind to end two lines", "1\n2\r\n3\r\n4\n5\r\n", {"1", "2", "3", "4\n5"}, leCrLf},
      {"none", "1 2 3 4 5", {}, leUndecided},
  };
  for (const LineEndCase& c : cases) {
    std::vector<std::vector<std::string>> cuts;
    for (std::size_t at = 0; at <= c.Stream.size(); ++at) cuts.push_back({c.Stream.substr(0, at), c.Stream.substr(at)});
    cuts.emplace_back();
    for (char b : c.Stream) cuts.back().emplace_back(1, b);
    for (const std::vector<std::string>& batches : cuts) {
      Assembly a;
      for (const std::string& batch : batches) a.Feed(batch);
      std::vector<std::string> trimmed;
      for (const std::string& line : a.lines) trimmed.emplace_back(TrimControlBytes(line));
      EXPECT_EQ(trimmed, c.Lines) << c.Name << ", " << batches.size() << " reads";
      EXPECT_EQ(a.state.LineEnd, c.Decided) << c.Name;
    }
  }
}

TEST(LineAssemblerTest, EachStartDecidesAnewAndKeepsThePendingLine) {
  Assembly a;
  a.Feed("1\n2\n3");
  ASSERT_EQ(a.state.LineEnd, leLf);
  EXPECT_STREQ(LineEndText(a.state.LineEnd), "LF");
  a.assembler.StartAcquisition(a.state);
  EXPECT_STREQ(LineEndText(a.state.LineEnd), "");
  a.Feed("\r\n4\r\n");
  EXPECT_EQ(a.lines, (std::vector<std::string>{"1", "2", "3", "4"}));
  EXPECT_STREQ(LineEndText(a.state.LineEnd), "CR LF");
}

}  // namespace
}  // namespace kurvex
