// SPDX-License-Identifier: GPL-3.0-or-later
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "intake/lineassembler.h"
#include "intake/sampleintake.h"
#include "intake/singleprecision.h"
#include "intake/wirenumber.h"
#include "platform/system/error.h"

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

using Texts = std::vector<std::string>;

// Takes lines and writes down each sample: the scaled value per curve, "-"
// for a gap; and the curves' names.
class LineValuesTest : public ::testing::Test, public TSampleConsumer {
 protected:
  LineValuesTest() { intake.Attach(*this); }
  void Take(const TSample& sample) override {
    std::string text;
    for (std::size_t k = 0; k < sample.Values.size(); ++k) {
      char value[32] = "-";
      if (sample.Has(k)) std::snprintf(value, sizeof value, "%g", static_cast<double>(sample.Values[k].Scaled));
      text += (k ? " " : "") + std::string(value);
    }
    samples.push_back(text);
    names.assign(sample.Names.begin(), sample.Names.end());
  }

  TIntakeState state;
  TSampleIntake intake{state};
  Texts samples, names;
};

TEST_F(LineValuesTest, CutsALineIntoItsValues) {
  struct Case {
    std::string Line, Values;
    Texts Names;
  };
  for (const Case& c : std::vector<Case>{
           {"12,5", "12.5", {""}},
           {"12.5 V", "12.5", {""}},
           {"1;2", "1 2", {"", ""}},
           {"1,2", "1.2", {""}},  // a decimal comma: two values are written 1;2
           {"12,5;13,1", "12.5 13.1", {"", ""}},
           {"12,5 13,1", "12.5 13.1", {"", ""}},
           {"1.5,2.5", "1.5 2.5", {"", ""}},
           {"1,2,3", "1 2 3", {"", "", ""}},
           {"1, 2", "1 2", {"", ""}},
           {"Temperature: 23.64, Humidity: 43.89", "23.64 43.89", {"Temperature", "Humidity"}},
           {"a=1;b=2", "1 2", {"a", "b"}},
           {"x = -1,5\ty :2e3", "-1.5 2000", {"x", "y"}},
           {"1.5 V 2.5 A", "1.5 2.5", {"", ""}},
           {"3 °C;;4 %", "3 4", {"", ""}},
           {"Temp: 21.5", "21.5", {"Temp"}},  // one named value is that name's
       }) {
    state.StartAcquisition();
    intake.TakeLine(c.Line);
    EXPECT_EQ(samples.back(), c.Values) << c.Line;
    EXPECT_EQ(names, c.Names) << c.Line;
  }
}

// Fewer than two values, none named: the line reads as one number, a gap
// where it has none, and counts as bad unless it was read in full.
TEST_F(LineValuesTest, ALineWithFewerThanTwoValuesReadsAsOneNumber) {
  for (const std::string& line : Texts{"12.5", "12,5", "12.5 V", "abc", "12abc", ",5", "1e999", "", "nan", "inf",
                                       "18:35:45", "18:35", ";;", "-1,5 mV", "1.2.3", "1,2,x", "=5", "a= b",
                                       std::string("1\0 2x", 5), std::string(65, 'n') + "=1"}) {
    state.StartAcquisition();
    state.RawValue = -1;
    const TWireNumber before = ReadWireNumber(line);
    const bool inRange = before.Value && InSingleRange(*before.Value);
    const bool good = before.Complete && inRange;
    EXPECT_EQ(intake.TakeLine(line).Complete, good) << line;
    EXPECT_EQ(state.InvalidLines, good ? 0 : 1) << line;
    EXPECT_EQ(state.RawValue, inRange ? static_cast<float>(*before.Value) : -1.0f) << line;
    EXPECT_EQ(samples.back(), inRange ? samples.back() : "-") << line;
    EXPECT_EQ(names, Texts{""}) << line;
  }
}

TEST_F(LineValuesTest, ValueNIsCurveNAndAMissingCurveIsAGap) {
  state.ScaleFactor = 2;
  state.ScaleOffset = 1;
  for (const char* line : {"1", "1;2;3", "4", "5;6"}) intake.TakeLine(line);
  EXPECT_EQ(samples, (Texts{"3", "3 5 7", "9 - -", "11 13 -"}));
  EXPECT_EQ(state.SampleCount, 4);  // one sample number per line, whatever it holds
  EXPECT_EQ(state.RawValue, 5);
}

// A curve's own factor or offset replaces the window's, each on its own.
TEST_F(LineValuesTest, EachCurveScalesByItsOwnFactorAndOffsetWhereItHasThem) {
  state.ScaleFactor = 2;
  state.ScaleOffset = 1;
  state.CurveScales[1] = {-0.5f, 0.25f};
  state.CurveScales[2] = {std::nullopt, -100.0f};
  intake.TakeLine("3;3;3");
  intake.TakeLine("42");
  EXPECT_EQ(samples, (Texts{"7 -1.25 -94", "85 - -"}));
}

// The unit after a value is its curve's, the first one of the acquisition;
// a unit after several joined values belongs to none of them.
TEST_F(LineValuesTest, AUnitAfterAValueBecomesItsCurvesUntilTheNextStart) {
  using Units = std::array<std::string, kMaxCurves>;
  intake.TakeLine("21.5 °C");
  intake.TakeLine("22 mV");
  EXPECT_EQ(state.CurveUnits, (Units{"°C"}));
  intake.StartAcquisition();
  intake.TakeLine("Temp: 21.5 °C;Druck: 1013 hPa;Feuchte: 45");
  intake.TakeLine("1.5,2.5 V;7 1");
  EXPECT_EQ(state.CurveUnits, (Units{"°C", "hPa"}));
  EXPECT_EQ(samples.back(), "1.5 2.5 7 1");
  intake.StartAcquisition();
  intake.TakeLine("1;2 %");
  EXPECT_EQ(state.CurveUnits, (Units{"", "%"}));
}

TEST_F(LineValuesTest, NamesKeepTheirCurveInTheOrderTheyFirstAppeared) {
  for (const char* line : {"a=1;b=2", "b=3;a=4", "b: 5", "c=6;b=7", "Temp: 1 V", "d=8;d=9"}) intake.TakeLine(line);
  EXPECT_EQ(samples, (Texts{"1 2", "4 3", "- 5", "- 7 6", "- - - 1", "- - - - 8"}));  // a curve's first value counts
  EXPECT_EQ(names, (Texts{"a", "b", "c", "Temp", "d"}));
  EXPECT_EQ(state.RawValue, 4);  // curve 1's last value
}

TEST_F(LineValuesTest, AValueBeyondTheSixteenthCurveIsIgnoredAndToldOnce) {
  std::string seventeen;
  for (int i = 1; i <= 17; ++i) seventeen += std::to_string(i) + ";";
  EXPECT_TRUE(intake.TakeLine(seventeen).FirstIgnoredValue);
  EXPECT_EQ(samples.back(), "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16");
  EXPECT_FALSE(intake.TakeLine(seventeen).FirstIgnoredValue);
  EXPECT_FALSE(intake.TakeLine("new=1").FirstIgnoredValue);  // no curve left for a new name either
  EXPECT_EQ(samples.back(), "- - - - - - - - - - - - - - - -");
  state.StartAcquisition();
  EXPECT_TRUE(intake.TakeLine(seventeen).FirstIgnoredValue);
}

// Whatever a line holds, the curves before it stay as they were.
TEST_F(LineValuesTest, BadLinesNeverDisturbTheCurvesBeforeThem) {
  intake.TakeLine("a=1;b=2;c=3");
  std::string hundred, huge;
  for (int i = 0; i < 100; ++i) hundred += "9,";
  while (huge.size() < 64 * 1024) huge += "1;";
  for (const std::string& bad : Texts{"abc", "12abc", "nan", "inf", std::string("\0\0\0", 3), "\x80\xff\xc3\xa4=1;\xfe",
                                      hundred, "a=;b=x;c", "18:35:45", ";;", huge}) {
    intake.TakeLine(bad);
    EXPECT_EQ(Texts(names.begin(), names.begin() + 3), (Texts{"a", "b", "c"}));
  }
  EXPECT_FALSE(intake.TakeLine("c=1;a=1e999").Complete);  // beyond single precision: a gap
  EXPECT_EQ(samples.back().substr(0, 5), "- - 1");
  intake.TakeLine("c=6;a=4;b=5");
  EXPECT_EQ(samples.back().substr(0, 5), "4 5 6");
  EXPECT_EQ(state.SampleCount, static_cast<std::int64_t>(samples.size()));
}

// A name too long to keep loses its value, and nothing else of the field
// stands in for it: not the digits the name begins with, not a 0.
TEST_F(LineValuesTest, AValueUnderANameTooLongIsAGapCountedAsBad) {
  intake.TakeLine("a:1");
  for (const std::string& name : Texts{std::string(70, 'Z'), "9" + std::string(69, 'x'), "65" + std::string(63, '_'),
                                       "300" + std::string(297, '-')}) {
    const std::int64_t bad = state.InvalidLines;
    EXPECT_FALSE(intake.TakeLine(name + ":5").Complete) << name;
    EXPECT_EQ(samples.back(), "-") << name;
    EXPECT_FALSE(intake.TakeLine("a:2;" + name + "=5").Complete) << name;  // the good value stays
    EXPECT_EQ(samples.back(), "2") << name;
    EXPECT_EQ(state.InvalidLines, bad + 2) << name;
  }
  EXPECT_EQ(names, Texts{"a"});
  intake.TakeLine(std::string(64, 'L') + "=3");  // the longest name that is kept
  EXPECT_EQ(samples.back(), "- 3");
}

// A line that is not a number in full takes the value its start makes
// sense of; a unit after the number is part of a good line; a line without
// a number has no value at all.
TEST(WireNumberTest, ReadsTheInstrumentFormatUnitsAndTheSensibleValueOfTheRest) {
  struct Case {
    const char* Text;
    std::optional<double> Value;
    bool Complete;
  };
  for (const Case& c : std::vector<Case>{
           {"12.5", 12.5, true}, {"-0.003", -0.003, true}, {"1.2E3", 1200, true}, {"+7", 7, true},
           {".5", 0.5, true}, {"5.", 5, true}, {"2e-3", 0.002, true}, {"0", 0, true},
           {"12,5", 12.5, true}, {"-1,5", -1.5, true},  // German instrument locale
           {"12.5 V", 12.5, true}, {"12,5 V", 12.5, true}, {"12,5V", 12.5, true}, {"12,5 °C", 12.5, true},
           {"21,5 %", 21.5, true}, {"3,25 mA", 3.25, true}, {"-1,5e2 mV", -150, true}, {"5 eV", 5, true},
           {"3e", 3, false}, {"1e", 1, false}, {"1.2.3", 1.2, false}, {"1,2,3", 1.2, false}, {"18:35:45", 18, false},
           {"12,5 V2", 12.5, false}, {"", 0, false},  // the empty line is 0, as ever
           {"abc", {}, false}, {"-", {}, false}, {".", {}, false}, {"nan", {}, false}, {"inf", {}, false},
           {"-inf", {}, false}, {";;;", {}, false}, {"0x10", {}, false}, {"\xff\xfe" "8", {}, false},
           {"9xxxx:5", {}, false}}) {
    const TWireNumber n = ReadWireNumber(c.Text);
    EXPECT_EQ(n.Complete, c.Complete) << c.Text;
    ASSERT_EQ(n.Value.has_value(), c.Value.has_value()) << c.Text;
    if (c.Value) {
      EXPECT_DOUBLE_EQ(static_cast<double>(*n.Value), *c.Value) << c.Text;
    }
  }
}

TEST(WireNumberTest, NumbersBeyondExtendedRangeReadAsInfinityOrZero) {
  EXPECT_TRUE(std::isinf(*ReadWireNumber("1e5000").Value));
  EXPECT_TRUE(std::isinf(*ReadWireNumber("-1e99999999999999999999999").Value));
  EXPECT_TRUE(*ReadWireNumber("-1e5000").Value < 0);
  EXPECT_EQ(*ReadWireNumber("1e-5000").Value, 0);
  EXPECT_EQ(*ReadWireNumber("0.0000001e-4950").Value, 0);
}

TEST(WireNumberTest, ReadAndRoundedToNearestSingleOnlyWhatRoundsToInfinityOverflows) {
  const auto single = [](const char* text) { return ToSingle(*ReadWireNumber(text).Value); };
  EXPECT_EQ(single("-3.40282346638529e38"), -FLT_MAX);  // 15 digits, above FLT_MAX
  EXPECT_EQ(single("3.40282347e38"), FLT_MAX);
  EXPECT_EQ(single("-3.4028234e38"), -FLT_MAX);
  // Halfway from FLT_MAX to 2^128 is 340282356779733661637539395458142568448.
  EXPECT_EQ(single("3.4028235677973366e38"), FLT_MAX);  // just below halfway
  EXPECT_THROW(single("340282356779733661637539395458142568448"), EKurvexError);  // a tie goes to even: 2^128
  EXPECT_THROW(single("3.4028235677973367e38"), EKurvexError);
  EXPECT_THROW(single("-1e39"), EKurvexError);
  EXPECT_THROW(single("1e400"), EKurvexError);
  EXPECT_EQ(single("1e-50"), 0);
}

TEST(WireNumberTest, TrimRemovesControlBytesAndBlanksAtBothEnds) {
  EXPECT_EQ(TrimControlBytes(std::string("\0\t 12.5 \x1f", 8)), "12.5");
  EXPECT_EQ(TrimControlBytes(" 1 2 "), "1 2");
  EXPECT_EQ(TrimControlBytes("\r\n"), "");
}

struct Taken {
  char Consumer;
  std::int64_t Number;
  std::int64_t ReadAtNs;
  float Raw, Scaled;
  bool operator==(const Taken&) const = default;
};

// Writes down what it takes, into a log shared with the other consumers.
class LogConsumer : public TSampleConsumer {
 public:
  LogConsumer(char name, std::vector<Taken>& log) : m_name(name), m_log(log) {}
  void Take(const TSample& sample) override {
    ASSERT_EQ(sample.Values.size(), 1u);
    m_log.push_back({m_name, sample.Number, sample.ReadAt.WallNs, sample.Values[0].Raw, sample.Values[0].Scaled});
  }

 private:
  char m_name;
  std::vector<Taken>& m_log;
};

class SampleIntakeTest : public ::testing::Test {
 protected:
  SampleIntakeTest() { intake.Attach(consumer); }

  void Receive(const std::string& bytes, std::int64_t readAtNs = 0) {
    intake.Receive(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), {readAtNs, readAtNs},
                   [this](std::string_view line) { outcomes.push_back(intake.TakeLine(line)); });
  }

  TIntakeState state;
  TSampleIntake intake{state};
  std::vector<Taken> log;
  LogConsumer consumer{'A', log};
  std::vector<TLineOutcome> outcomes;
};

TEST_F(SampleIntakeTest, LinesBecomeNumberedScaledSamplesForEachConsumerInTurn) {
  LogConsumer second('B', log);
  intake.Attach(second);
  state.ScaleFactor = 2;
  state.ScaleOffset = 1;
  Receive(" 3\t\r\n0.", 100);
  Receive("5\r\n\r\n", 200);  // the time of a line is that of the batch that ends it
  EXPECT_EQ(log, (std::vector<Taken>{{'A', 1, 100, 3, 7}, {'B', 1, 100, 3, 7},
                                     {'A', 2, 200, 0.5f, 2}, {'B', 2, 200, 0.5f, 2},
                                     {'A', 3, 200, 0, 1}, {'B', 3, 200, 0, 1}}));
  EXPECT_EQ(state.SampleCount, 3);
  EXPECT_EQ(state.RawValue, 0);
  EXPECT_EQ(state.ScaledValue, 1);
  EXPECT_EQ(state.InvalidLines, 1);  // the empty line
  EXPECT_FALSE(outcomes.back().Complete);
}

// Raw × factor + offset is rounded once: rounding the product to single
// first would land on a tie that goes the other way.
TEST_F(SampleIntakeTest, ScalesInExtendedPrecisionAndStoresSingle) {
  state.ScaleFactor = 1.00000011920928955078125f;  // 1 + 2^-23
  state.ScaleOffset = 5.9604644775390625e-08f;     // 2^-24
  Receive("1.00000011920928955078125\r\n");
  EXPECT_EQ(state.ScaledValue, 1.00000035762786865234375f);  // 1 + 2^-22 + 2^-23
}

TEST_F(SampleIntakeTest, TheSampleBeyondTheNormalLimitIsCountedButGoesToNoConsumer) {
  state.SampleCount = kNormalSampleLimit - 1;
  Receive("1\r\n2\r\n3\r\n");
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].Number, kNormalSampleLimit);
  EXPECT_EQ(state.SampleCount, kNormalSampleLimit + 2);
  EXPECT_FALSE(outcomes[0].BeyondLimit);
  EXPECT_TRUE(outcomes[1].BeyondLimit);
  EXPECT_TRUE(outcomes[2].BeyondLimit);  // each further line finds it passed too

  state.TrendMode = true;  // Trend counts on without limit
  Receive("4\r\n");
  EXPECT_FALSE(outcomes.back().BeyondLimit);
  EXPECT_EQ(log.back().Number, kNormalSampleLimit + 3);
}

// A bad line keeps its sample number but has no value: the consumers get
// it as a gap, curve 1's last value stays, and the lines after it go on.
TEST_F(SampleIntakeTest, LinesWithoutAValueInRangeAreCountedGaps) {
  struct Gaps : TSampleConsumer {
    std::string seen;
    void Take(const TSample& sample) override { seen += sample.Has(0) ? "v" : "-"; }
  } gaps;
  intake.Attach(gaps);
  Receive("5\r\n1e39\r\n3.5e38\r\n-1e39\r\nabc\r\n" + std::string(kMaxPendingLine + 1, 'x') + "\r\n6\r\n");
  state.ScaleFactor = 1e30f;
  Receive("1e10\r\n1e5\r\n");  // the scaled value leaves single range, then does not
  EXPECT_EQ(gaps.seen, "v-----v-v");
  EXPECT_EQ(state.SampleCount, 9);
  EXPECT_EQ(state.InvalidLines, 6);
  EXPECT_EQ(state.RawValue, 1e5f);
  EXPECT_EQ(log.back().Scaled, static_cast<float>(1e5L * 1e30f));
  EXPECT_EQ(outcomes.size(), 9u);
}

// Bytes that keep arriving for 2 s without a line end, by their read times.
TEST_F(SampleIntakeTest, BytesWithoutALineEndFor2sAreNoticed) {
  constexpr std::int64_t kSecond = 1'000'000'000;
  Receive("1\n", 5 * kSecond);
  Receive("2\n", 6 * kSecond);  // LF decided
  Receive("3", 7 * kSecond);
  Receive("4", 9 * kSecond - 1);
  EXPECT_FALSE(state.NoLineEnd);
  Receive("5", 9 * kSecond);
  EXPECT_TRUE(state.NoLineEnd);
  Receive("\n", 10 * kSecond);
  EXPECT_FALSE(state.NoLineEnd);
  Receive("7", 20 * kSecond);  // one batch is no stream
  EXPECT_FALSE(state.NoLineEnd);
  EXPECT_EQ(state.SampleCount, 3);
}

}  // namespace
}  // namespace kurvex
