// SPDX-License-Identifier: GPL-3.0-or-later
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <thread>

#include <gtest/gtest.h>

#include "csvimport/csvimport.h"
#include "recording/columnnames.h"
#include "csvimport/csvlines.h"
#include "csvimport/csvtime.h"
#include "history/historyfeed.h"
#include "recording/recorder.h"
#include "tests/support/tempfolder.h"
#include "tests/support/timezone.h"

namespace kurvex::test {
namespace {

constexpr std::int64_t kNs = 1'000'000'000;
constexpr std::int64_t kWinter = 1796634900;  // 2026-12-07 09:15:00 UTC
constexpr std::int64_t kSummer = 1783407900;  // 2026-07-07 07:05:00 UTC

// Local time of a zone with summer time, so the offsets in the file matter.
class BerlinTime : public ::testing::Test {
 protected:
  ScopedTimeZone m_zone{kBerlinZone};
  TempFolder m_folder;
};

std::string Write(const TempFolder& folder, const std::string& text, const std::string& name = "in.csv") {
  const std::string path = folder.Path(name);
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

struct TOpened {
  TCsvProbe Probe;
  TCsvLoad Load;
  THistory History;
};

TOpened Open(const std::string& path, std::size_t column = 0) {
  TOpened opened;
  opened.Probe = ProbeCsvFile(path);
  if (!opened.Probe.Layout) return opened;
  TCsvProgress progress;
  opened.Load = LoadCsvFile(path, *opened.Probe.Layout, column, opened.History, progress);
  EXPECT_EQ(progress.BytesRead, progress.TotalBytes);
  return opened;
}

// Every sample of `expected` and `actual` alike: value of each curve (a gap
// as a gap) and time.
void ExpectSameHistory(const THistory& expected, const THistory& actual) {
  ASSERT_EQ(actual.LastNumber(), expected.LastNumber());
  ASSERT_EQ(actual.Curves(), expected.Curves());
  for (std::int64_t n = 1; n <= expected.LastNumber(); ++n) {
    EXPECT_EQ(actual.WallNs(n), expected.WallNs(n)) << "sample " << n;
    for (std::size_t curve = 0; curve < expected.Curves(); ++curve) {
      const float want = expected.Value(curve, n), got = actual.Value(curve, n);
      EXPECT_TRUE(std::isnan(want) ? std::isnan(got) : got == want) << "sample " << n << " curve " << curve;
    }
  }
}

// What the recorder writes, with curves added during the recording, gaps,
// summer and winter time and the awkward floats, reads back as the same
// samples it was given, in both dialects.
TEST_F(BerlinTime, AKurvexRecordingReopensWithItsValuesAndTimes) {
  struct TLine {
    std::int64_t WallNs;
    std::vector<TSampleValue> Values;
    std::vector<std::string> Names;
    std::uint16_t Present;
    std::vector<std::string> Units;
  };
  // Units as the header has them; the curve added later brings its own.
  const std::vector<TLine> lines = {
      {kWinter * kNs + 123'000'000, {{1, 12.5f}}, {""}, 0b1, {"°C"}},
      {kWinter * kNs + 123'000'000, {{2, -1e-30f}}, {""}, 0b1, {"°C"}},
      {kSummer * kNs + 7'000'000, {{0, 0}, {3, 3.4e38f}}, {"", "b;c"}, 0b10, {"°C", "[m]"}},
      {kSummer * kNs + 999'000'000, {{4, 0.1f}, {5, -0.0f}, {6, 6}}, {"", "b;c", "d"}, 0b111, {"°C", "[m]", ""}},
      {kWinter * kNs, {{7, 7}, {0, 0}, {8, std::numeric_limits<float>::denorm_min()}}, {"", "b;c", "d"}, 0b101,
       {"°C", "[m]", ""}},
  };
  for (TCsvDialect dialect : {cdComma, cdExcel}) {
    SCOPED_TRACE(dialect == cdComma ? "comma" : "excel");
    const std::string path = m_folder.Path(dialect == cdComma ? "comma.csv" : "excel.csv");
    TRecorder recorder;
    THistory expected;
    THistoryFeed feed(expected);
    recorder.Start(path, dialect, {kWinter * kNs, 0});
    std::int64_t number = 0;
    for (const TLine& line : lines) {
      const TSample sample{++number, {line.WallNs, 0}, line.Values, line.Names, line.Present, line.Units};
      recorder.Take(sample);
      feed.Take(sample);
    }
    recorder.Stop();
    ASSERT_FALSE(recorder.Failure());

    const TOpened opened = Open(path);
    ASSERT_TRUE(opened.Probe.Layout);
    EXPECT_EQ(opened.Probe.Layout->Kind, TCsvLayout::Kurvex);
    EXPECT_EQ(opened.Load.Rows, 5);
    EXPECT_EQ(opened.Load.BadRows, 0);
    ExpectSameHistory(expected, opened.History);
    std::vector<std::string> units;
    for (const std::string& column : opened.Load.ColumnNames) units.push_back(UnitOfScaledColumn(column));
    EXPECT_EQ(units, (std::vector<std::string>{"°C", "[m]", ""}));
  }
}

// Foreign files: the separator and decimal mark found, the numeric columns
// offered by their header names, the time column used as the samples' times.
TEST_F(BerlinTime, ForeignFilesLoadTheChosenNumericColumnAtTheirTimes) {
  struct TCase {
    const char* Name;
    std::string Text;
    char Separator, Decimal;
    std::vector<std::string> Values;
    std::size_t Chosen;
    std::vector<float> Expected;
    std::vector<std::int64_t> Times;  // empty: no time column
  };
  const std::vector<TCase> cases = {
      {"comma, quoted header, text column",
       "\xEF\xBB\xBF\"id\",\"Label, long\",\"U \"\"in\"\" V\",I\n1,a,1.5,-2\n2,\"b,c\",2.5e3,3\n", ',', '.',
       {"id", "U \"in\" V", "I"}, 1, {1.5f, 2500.0f}, {}},
      {"semicolon, decimal comma, ISO times",
       "Zeitpunkt;Wert\r\n2026-12-07T10:15:00,5;1,25\r\n2026-07-07 09:05:01;-0,5\r\n", ';', ',', {"Wert"}, 0,
       {1.25f, -0.5f}, {kWinter * kNs + 500'000'000, (kSummer + 1) * kNs}},
      {"tab, seconds",
       "t [s]\tA\tB\n0.5\t1\t10\n1.25\t2\t20\n", '\t', '.', {"A", "B"}, 1, {10.0f, 20.0f},
       {500'000'000, 1'250'000'000}},
      {"no header", "1;2,5\n3;4\n", ';', ',', {"Spalte 1", "Spalte 2"}, 1, {2.5f, 4.0f}, {}},
      {"a name over two lines with doubled quotes", "\"U \"\"x\"\"\r\nneu\";I\r\n\"1,5\";2\r\n3;4\r\n", ';', ',',
       {"U \"x\" neu", "I"}, 0, {1.5f, 3.0f}, {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TOpened opened = Open(Write(m_folder, c.Text), c.Chosen);
    ASSERT_TRUE(opened.Probe.Layout);
    const TCsvLayout& layout = *opened.Probe.Layout;
    EXPECT_EQ(layout.Kind, TCsvLayout::Foreign);
    EXPECT_EQ(layout.Separator, c.Separator);
    EXPECT_EQ(layout.Decimal, c.Decimal);
    std::vector<std::string> names;
    for (const TCsvLayout::TColumn& column : layout.Values) names.push_back(column.Name);
    EXPECT_EQ(names, c.Values);
    EXPECT_EQ(opened.Load.BadRows, 0);
    ASSERT_EQ(opened.History.LastNumber(), static_cast<std::int64_t>(c.Expected.size()));
    EXPECT_EQ(opened.History.Curves(), 1u);
    for (std::size_t i = 0; i < c.Expected.size(); ++i) {
      const auto n = static_cast<std::int64_t>(i + 1);
      EXPECT_EQ(opened.History.Value(0, n), c.Expected[i]);
      if (c.Times.empty())
        EXPECT_FALSE(opened.History.WallNs(n));
      else
        EXPECT_EQ(opened.History.WallNs(n), c.Times[i]);
    }
  }
}

// Bad rows keep their numbers as gaps, the good ones load, and the result
// names the first bad line and how many there were; "nan" and empty are
// gaps, "-0" is zero. Line ends of all three kinds, mixed.
TEST_F(BerlinTime, BadRowsLeaveGapsAndTheGoodRowsLoad) {
  const std::string longLine(3 << 20, '7');
  const std::string text = std::string("Zeit,Wert,Notiz\r\n") +  // line 1
                           "1,1.5,ok\r\n"                          // 2 → sample 1
                           "2,abc,x\n"                             // 3 bad: no number
                           "3,1e400,x\r"                           // 4 bad: out of range
                           "4,nan,x\r\n"                           // 5 gap
                           "5,-0,x\n"                              // 6 zero
                           "\r\n"                                  // 7 blank: no sample
                           + std::string("6,2\0" "5,x\n", 8)      // 8 bad: NUL in the number
                           + longLine + "\n"                       // 9 bad: too long
                           "8\n"                                   // 10 bad: incomplete
                           "9,,x\n"                                // 11 empty: gap
                           "10,3.5,x\n"                            // 12
                           "11,4.5";                               // 13: last line without end loads
  const TOpened opened = Open(Write(m_folder, text), 0);
  ASSERT_TRUE(opened.Probe.Layout);
  EXPECT_EQ(opened.Probe.Layout->Values.size(), 1u);  // Zeit is the time column
  const TCsvLoad& load = opened.Load;
  EXPECT_EQ(load.Rows, 6);
  EXPECT_EQ(load.BadRows, 5);
  EXPECT_EQ(load.FirstBadLine, 3);
  EXPECT_EQ(load.FirstBad, TBadRow::NotANumber);
  const THistory& h = opened.History;
  ASSERT_EQ(h.LastNumber(), 11);
  const float gap = NAN;
  const std::vector<float> expected{1.5f, gap, gap, gap, 0.0f, gap, gap, gap, gap, 3.5f, 4.5f};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const float value = h.Value(0, static_cast<std::int64_t>(i + 1));
    EXPECT_TRUE(std::isnan(expected[i]) ? std::isnan(value) : value == expected[i]) << "sample " << i + 1;
  }
  EXPECT_TRUE(std::signbit(h.Value(0, 5)));
  EXPECT_EQ(h.WallNs(11), 11 * kNs);

  // The numbers themselves: the first bad one of each kind is named.
  const std::pair<const char*, TBadRow> kinds[] = {
      {"Zeit,Wert\n1,2\n2,inf\n", TBadRow::OutOfRange}, {"Zeit,Wert\n1,2\n2,3\nx,3\n", TBadRow::BadTime},
      {"Zeit,Wert\n1,2\n2,3\n3,3x\n", TBadRow::NotANumber}};
  for (const auto& [file, kind] : kinds) {
    const TOpened bad = Open(Write(m_folder, file), 0);
    EXPECT_EQ(bad.Load.BadRows, 1) << file;
    EXPECT_EQ(bad.Load.FirstBad, kind) << file;
  }
}

// A Kurvex recording cut while it was written: the half row is bad, and
// a row of the wrong width too.
TEST_F(BerlinTime, AHalfKurvexRowAtTheEndIsBad) {
  const std::string text =
      "Nr;Zeit (ISO 8601, Ortszeit);Sekunden seit Start;Rohwert;Wert (skaliert)\r\n"
      "1;2026-12-07T10:15:00.123+01:00;0,012;1;2,5\r\n"
      "2;2026-12-07T10:15:00.124+01:00;0,013;1\r\n"
      "3;2026-12-07T10:15:00.125+01:00;0,014;1;3,";
  const TOpened opened = Open(Write(m_folder, text));
  EXPECT_EQ(opened.Load.Rows, 1);
  EXPECT_EQ(opened.Load.BadRows, 2);
  EXPECT_EQ(opened.Load.FirstBadLine, 3);
  EXPECT_EQ(opened.Load.FirstBad, TBadRow::Incomplete);
  EXPECT_EQ(opened.History.Value(0, 1), 2.5f);
  EXPECT_EQ(opened.History.WallNs(1), kWinter * kNs + 123'000'000);
}

// A field in quotes may hold separators and line breaks: its row stays one
// sample, named by the line it starts on. "2,7" in a file of decimal points
// is no number; t = 0 is a time like any other, and a bad row has none.
TEST_F(BerlinTime, AQuotedLineBreakKeepsItsRowOneSample) {
  const std::string lf = "t,\"Wert, A\",\"B\nneu\"\n"  // lines 1 and 2
                         "0,1.5,2.5\n"                // 3
                         "1,\"1.6\",\"2.6\"\n"          // 4
                         "2,1.7,\"2,7\"\n"            // 5
                         "3,\"a\nb\",2.8\n"           // 6 and 7
                         "4,1.9,2.9\n";               // 8
  std::string crlf;
  for (const char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  const float gap = NAN;
  struct TCase {
    const char* Name;
    const std::string& Text;
    std::size_t Column;
    std::vector<float> Values;
    std::int64_t FirstBadLine;
  };
  const TCase cases[] = {
      {"column B", lf, 1, {2.5f, 2.6f, gap, 2.8f, 2.9f}, 5},
      {"column B, CR LF", crlf, 1, {2.5f, 2.6f, gap, 2.8f, 2.9f}, 5},
      {"column A", lf, 0, {1.5f, 1.6f, 1.7f, gap, 1.9f}, 6},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TOpened opened = Open(Write(m_folder, c.Text), c.Column);
    ASSERT_TRUE(opened.Probe.Layout);
    ASSERT_EQ(opened.Probe.Layout->Values.size(), 2u);
    EXPECT_EQ(opened.Probe.Layout->Values[0].Name, "Wert, A");
    EXPECT_EQ(opened.Probe.Layout->Values[1].Name, "B neu");
    EXPECT_EQ(opened.Probe.Layout->Times, TCsvLayout::Seconds);
    EXPECT_EQ(opened.Load.Rows, 4);
    EXPECT_EQ(opened.Load.BadRows, 1);
    EXPECT_EQ(opened.Load.FirstBad, TBadRow::NotANumber);
    EXPECT_EQ(opened.Load.FirstBadLine, c.FirstBadLine);
    ASSERT_EQ(opened.History.LastNumber(), 5);
    for (std::int64_t n = 1; n <= 5; ++n) {
      const float want = c.Values[static_cast<std::size_t>(n - 1)], got = opened.History.Value(0, n);
      EXPECT_TRUE(std::isnan(want) ? std::isnan(got) : got == want) << "sample " << n;
      if (std::isnan(want))
        EXPECT_FALSE(opened.History.WallNs(n)) << "sample " << n;
      else
        EXPECT_EQ(opened.History.WallNs(n), (n - 1) * kNs) << "sample " << n;
    }
  }
}

// A quote that never closes costs its row and at most the bytes a row may
// have; the rows after it load. A field beyond that limit is one bad row,
// and a quote left open by the file's end is a row cut off.
TEST_F(BerlinTime, AnOpenQuoteOrAFieldTooLongCostsOneRow) {
  std::string neverClosed = "t,B\n0,1\n1,\"2\n";  // the quote of line 3 never closes
  constexpr int kRows = 200'000;                   // about 1.7 MB
  for (int t = 2; t < kRows; ++t) neverClosed += std::to_string(t) + ",5\n";
  const std::string longField = "t,B,Notiz\n0,1,ok\n1,2,\"" + std::string(1 << 19, 'x') + "\n" +
                                std::string(1 << 20, 'y') + "\"\n2,3,ok\n";
  const std::string openAtEnd = "t,B\n0,1\n1,2\n2,\"3\n";
  struct TCase {
    const char* Name;
    const std::string& Text;
    TBadRow Bad;
    std::int64_t BadLine;
    std::int64_t LastT;  // of the last row, loaded
  };
  const TCase cases[] = {
      {"never closed", neverClosed, TBadRow::TooLong, 3, kRows - 1},
      {"a field beyond the limit", longField, TBadRow::TooLong, 3, 2},
      {"open at the end", openAtEnd, TBadRow::Incomplete, 4, 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TOpened opened = Open(Write(m_folder, c.Text));
    ASSERT_TRUE(opened.Probe.Layout);
    ASSERT_EQ(opened.Probe.Layout->Values.size(), 1u);
    EXPECT_EQ(opened.Load.BadRows, 1);
    EXPECT_EQ(opened.Load.FirstBad, c.Bad);
    EXPECT_EQ(opened.Load.FirstBadLine, c.BadLine);
    const THistory& h = opened.History;
    EXPECT_EQ(h.WallNs(h.LastNumber()), c.LastT * kNs);
    EXPECT_FALSE(std::isnan(h.Value(0, h.LastNumber())));
  }
  // What the quote swallowed is about the limit, not the file.
  const TOpened swallowed = Open(Write(m_folder, neverClosed));
  EXPECT_GT(swallowed.Load.Rows, kRows - 150'000);
  EXPECT_EQ(swallowed.History.LastNumber(), swallowed.Load.Rows + 1);
}

// However short the file, a column with a number holds numbers: its bad
// rows are gaps and the good ones load.
TEST_F(BerlinTime, AShortFileLoadsItsGoodRowsBesideABadOne) {
  const float gap = NAN;
  const std::pair<const char*, std::vector<float>> files[] = {
      {"Wert\nx\n1\n", {gap, 1.0f}},
      {"Zeit;Wert\n0;1,5\n1;-\n", {1.5f}},
  };
  for (const auto& [text, values] : files) {
    SCOPED_TRACE(text);
    const TOpened opened = Open(Write(m_folder, text));
    ASSERT_TRUE(opened.Probe.Layout);
    EXPECT_EQ(opened.Load.Rows, 1);
    EXPECT_EQ(opened.Load.BadRows, 1);
    ASSERT_EQ(opened.History.LastNumber(), static_cast<std::int64_t>(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i) {
      const float got = opened.History.Value(0, static_cast<std::int64_t>(i + 1));
      EXPECT_TRUE(std::isnan(values[i]) ? std::isnan(got) : got == values[i]) << "sample " << i + 1;
    }
  }
}

TEST_F(BerlinTime, FilesWithoutNumbersOrUnreadableOnesAreRefused) {
  EXPECT_FALSE(Open(Write(m_folder, "")).Probe.Layout);
  EXPECT_FALSE(Open(Write(m_folder, "Name,Ort\nAnna,Bonn\n")).Probe.Layout);
  EXPECT_FALSE(Open(Write(m_folder, std::string(5 << 20, 'x'))).Probe.Layout);
  EXPECT_FALSE(ProbeCsvFile("/dev/zero").Layout);  // returns, though the device never ends
  EXPECT_EQ(ProbeCsvFile(m_folder.Dir()).Error, EISDIR);
  EXPECT_EQ(ProbeCsvFile(m_folder.Path("missing.csv")).Error, ENOENT);
}

TEST_F(BerlinTime, CancelStopsTheLoad) {
  std::string text = "Wert\n";
  for (int i = 0; i < 10'000; ++i) text += "1\n";
  const std::string path = Write(m_folder, text);
  const TCsvProbe probe = ProbeCsvFile(path);
  ASSERT_TRUE(probe.Layout);
  THistory history;
  TCsvProgress progress;
  progress.Cancel = true;
  const TCsvLoad load = LoadCsvFile(path, *probe.Layout, 0, history, progress);
  EXPECT_TRUE(load.Cancelled);
  EXPECT_LT(history.LastNumber(), 10'000);

  // Inside a line that never ends too (the test would hang otherwise).
  TCsvProgress endless;
  TCsvLoad stopped;
  std::thread worker([&] { stopped = LoadCsvFile("/dev/zero", *probe.Layout, 0, history, endless); });
  endless.Cancel = true;
  worker.join();
  EXPECT_TRUE(stopped.Cancelled);
}

// With a limit of 4 bytes the buffer holds 12, so line ends (a CR LF too)
// fall across reads; a line beyond the limit is one TooLong line however
// long, and a CR ending it still pairs with its LF.
TEST(CsvLines, EndAtCrLfLfOrCrAcrossReadsAndSkipTooLongOnes) {
  TempFolder folder;
  const std::string path = folder.Path("lines.txt");
  std::ofstream(path, std::ios::binary) << "ab\r\ncd\nef\rgh\r\n\r\n1234\r\n12345\r\n" + std::string(40, 'x') +
                                               "\r\nlast";
  TReadFile file(path);
  TCsvLines lines(file, 4);
  std::vector<std::string> seen;
  TCsvLine line;
  while (lines.Next(line))
    seen.push_back(std::to_string(line.Number) + (line.TooLong ? "!" : ":" + std::string(line.Text)) +
                   (line.Ended ? "" : "$"));
  EXPECT_EQ(seen, (std::vector<std::string>{"1:ab", "2:cd", "3:ef", "4:gh", "5:", "6:1234", "7!", "8!", "9:last$"}));
  EXPECT_EQ(file.Error(), 0);
}

std::vector<std::string> Rows(const std::string& path, std::size_t limit, char separator = 0) {
  TReadFile file(path);
  TCsvLines lines(file, limit);
  if (separator != 0) lines.SetSeparator(separator);
  std::vector<std::string> seen;
  TCsvLine line;
  while (lines.Next(line))
    seen.push_back(std::to_string(line.Number) + (line.TooLong ? "!" : ":" + std::string(line.Text)) +
                   (line.Ended ? "" : "$") + (line.OpenQuote ? "\"" : ""));
  EXPECT_EQ(file.Error(), 0);
  return seen;
}

// A quoted field holds line breaks of every kind, also across reads (the
// limit of 16 holds 36 bytes), and the row is named by the line it starts
// on; a quote inside a field or after another separator is text; a quote
// open at the end is told; one that never closes ends its row at the end
// of the line the limit reached, and the rows after it keep their lines.
TEST(CsvLines, QuotedLineBreaksStayInTheirRow) {
  struct TCase {
    const char* Name;
    std::string Text;
    char Separator;
    std::vector<std::string> Rows;
  };
  const std::vector<TCase> cases = {
      {"LF, CR LF and CR inside quotes", "0123456789abcde\n0123456789abcde\na,\"b\nc\",d\r\n\"e\r\nf\rg\"\n\"\"\nh", 0,
       {"1:0123456789abcde", "2:0123456789abcde", "3:a,\"b\nc\",d", "5:\"e\r\nf\rg\"", "8:\"\"", "9:h$"}},
      {"doubled quotes, and text after the closing quote", "\"x\"\"\n\"\"y\",z\n\"a\"b\nc\n", 0,
       {"1:\"x\"\"\n\"\"y\",z", "3:\"a\"b", "4:c"}},
      {"a quote inside a field is text", "ab\"c\nd\n", 0, {"1:ab\"c", "2:d"}},
      {"a quote after another separator is text", "a,\"b\nc\"\n", ';', {"1:a,\"b", "2:c\""}},
      {"open at the end", "1\n2,\"x\ny\r\n", 0, {"1:1", "2:2,\"x\ny\r\n$\""}},
      {"never closed", "1\n\"" + std::string(20, 'x') + "\n" + std::string(20, 'y') + "\nz\n2\n", 0,
       {"1:1", "2!", "3!", "4:z", "5:2"}},
      {"too long, with a line break inside", "\"a\n" + std::string(60, 'b') + "\"\n3\n", 0, {"1!", "3:3"}},
  };
  TempFolder folder;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string path = folder.Path("rows.txt");
    std::ofstream(path, std::ios::binary) << c.Text;
    EXPECT_EQ(Rows(path, 16, c.Separator), c.Rows);
  }
}

TEST(IsoTime, ReadsZonesFractionsAndLocalTimeAndRefusesWhatIsNoTime) {
  const ScopedTimeZone berlin(kBerlinZone);
  constexpr std::int64_t kNs = 1'000'000'000, kWinter = 1796634900;  // 2026-12-07 09:15:00 UTC
  TIsoTimeReader reader;
  std::int64_t ns = 0;
  const std::pair<const char*, std::int64_t> good[] = {
      {"2026-12-07T10:15:00.123+01:00", kWinter * kNs + 123'000'000},
      {"2026-12-07T10:15:00.124+01:00", kWinter * kNs + 124'000'000},
      {"2026-12-07T09:15:00Z", kWinter * kNs},
      {"2026-12-07 04:15:00,5-0500", kWinter * kNs + 500'000'000},
      {"2026-12-07T10:15:00.1234567891", kWinter * kNs + 123'456'789},  // local time, CET
  };
  for (const auto& [text, expected] : good) {
    EXPECT_TRUE(reader.Read(text, ns)) << text;
    EXPECT_EQ(ns, expected) << text;
  }
  for (const char* text : {"2026-02-30T10:15:00", "2026-12-07T24:00:00", "2026-12-07T10:15:00+1:00",
                           "2026-12-07T10:15:00.", "2026-12-07", "12.5", "2026-12-07T10:15:00 +01:00"})
    EXPECT_FALSE(reader.Read(text, ns)) << text;
}

}  // namespace
}  // namespace kurvex::test
