// SPDX-License-Identifier: GPL-3.0-or-later
#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <limits>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include <gtest/gtest.h>

#include "recording/recorder.h"
#include "recording/recordingname.h"
#include "recording/recordrow.h"
#include "tests/support/fulldisk.h"
#include "tests/support/strictcsv.h"
#include "tests/support/tempfolder.h"
#include "tests/support/timezone.h"
#include "tests/support/waituntil.h"

namespace kurvex::test {
namespace {

void AddRows(TRecorder& recorder, int first, int last) {
  for (int n = first; n <= last; ++n) recorder.Add(n, TReadTime::Now(), static_cast<float>(n) / 8, n * 0.5f);
}

// The file read strictly: its rows after the header must be samples 1..n
// in order, with the values AddRows gave them.
std::size_t CheckRecordedPrefix(const std::string& path) {
  const StrictCsv csv = ReadStrictCsv(FileText(path), ',');
  EXPECT_EQ(csv.Error, "");
  EXPECT_FALSE(csv.Rows.empty());
  for (std::size_t i = 1; i < csv.Rows.size(); ++i) {
    const auto n = static_cast<int>(i);
    EXPECT_EQ(csv.Rows[i][0], std::to_string(n));
    EXPECT_EQ(StrictFloat(csv.Rows[i][3], '.'), static_cast<float>(n) / 8);
    EXPECT_EQ(StrictFloat(csv.Rows[i][4], '.'), n * 0.5f);
    if (::testing::Test::HasFailure()) break;
  }
  return csv.Rows.empty() ? 0 : csv.Rows.size() - 1;
}

TEST(Recorder, WritesEveryRowInOrderAndStopFlushesTheRest) {
  TempFolder folder;
  const std::string path = folder.Path("r.csv");
  TRecorder recorder;
  recorder.Start(path, cdComma, TReadTime::Now());
  EXPECT_TRUE(recorder.Recording());
  AddRows(recorder, 1, 30000);
  recorder.Stop();
  EXPECT_FALSE(recorder.Recording());
  EXPECT_FALSE(recorder.Failure());
  EXPECT_EQ(recorder.RowsWritten(), 30000);
  EXPECT_EQ(CheckRecordedPrefix(path), 30000u);

  // A second recording starts a new file and counts from zero; an idle Add is ignored.
  AddRows(recorder, 1, 5);
  recorder.Start(path, cdComma, TReadTime::Now());
  AddRows(recorder, 1, 3);
  recorder.Stop();
  EXPECT_EQ(recorder.RowsWritten(), 3);
  EXPECT_EQ(CheckRecordedPrefix(path), 3u);
}

// The disk fills up: the writer stops at a complete row and says why; what
// was written stays.
TEST(Recorder, AFullDiskEndsTheRecordingAtACompleteRow) {
  TempFolder folder;
  const std::string path = folder.Path("r.csv");
  const FullDisk disk(10000);
  TRecorder recorder;
  recorder.Start(path, cdComma, TReadTime::Now());
  AddRows(recorder, 1, 2000);
  const bool failed = WaitUntil([&] { return recorder.Failure().has_value(); });
  recorder.Stop();
  ASSERT_TRUE(failed);
  EXPECT_EQ(recorder.Failure()->Kind, TRecordingFailure::rfWriteFailed);
  EXPECT_EQ(recorder.Failure()->SystemReason, std::strerror(ENOSPC));
  const std::size_t rows = CheckRecordedPrefix(path);
  EXPECT_GT(rows, 10u);
  EXPECT_LT(rows, 2000u);
  EXPECT_EQ(recorder.RowsWritten(), static_cast<std::int64_t>(rows));
}

// A writer that cannot keep up never makes Add wait: recording ends where
// the queue was full, and the file has no gap.
TEST(Recorder, AFullQueueEndsTheRecordingWithoutAGap) {
  TempFolder folder;
  const std::string path = folder.Path("r.csv");
  TRecorder recorder(8);
  recorder.Start(path, cdComma, TReadTime::Now());
  AddRows(recorder, 1, 5000);
  EXPECT_FALSE(recorder.Recording());
  ASSERT_TRUE(recorder.Failure());
  EXPECT_EQ(recorder.Failure()->Kind, TRecordingFailure::rfQueueFull);
  EXPECT_EQ(recorder.Failure()->QueueRows, 8u);
  recorder.Stop();
  const std::size_t rows = CheckRecordedPrefix(path);
  EXPECT_GE(rows, 8u);
  EXPECT_LT(rows, 5000u);
  EXPECT_EQ(recorder.RowsWritten(), static_cast<std::int64_t>(rows));
}

// The name and the reason are the window's message, tested there.
TEST(Recorder, AFileThatCannotBeCreatedFailsStartAndRecordsNothing) {
  TempFolder folder;
  TRecorder recorder;
  EXPECT_THROW(recorder.Start(folder.Path("missing/r.csv"), cdComma, TReadTime::Now()), EFileError);
  EXPECT_FALSE(recorder.Recording());
}

struct Line {
  std::vector<TSampleValue> Values;
  std::vector<std::string> Names;
  std::uint16_t Present;
  std::vector<std::string> Units{};
};

// Records the lines as samples 1, 2, … read 0.25 s apart from Start.
std::string RecordLines(const std::vector<Line>& lines, TCsvDialect dialect = cdComma) {
  TempFolder folder;
  const std::string path = folder.Path("r.csv");
  const TReadTime start{1796634900LL * 1'000'000'000, 5'000'000'000};  // 2026-12-07 09:15:00 UTC
  TRecorder recorder;
  recorder.Start(path, dialect, start);
  std::int64_t number = 0;
  for (const Line& line : lines) {
    ++number;
    const std::int64_t since = number * 250'000'000;
    recorder.Take(
        {number, {start.WallNs + since, start.SteadyNs + since}, line.Values, line.Names, line.Present, line.Units});
  }
  recorder.Stop();
  EXPECT_FALSE(recorder.Failure());
  EXPECT_EQ(recorder.RowsWritten(), number);
  return FileText(path);
}

class UtcTime : public ::testing::Test {
 protected:
  ScopedTimeZone m_zone{"UTC0"};
};

// A curve that comes later gets a new header before its first row; rows
// before it keep their columns, and a gap is an empty cell.
TEST_F(UtcTime, LaterCurvesStartANewHeaderAndGapsStayEmpty) {
  const std::string start = "Nr;Zeit (ISO 8601, Ortszeit);Sekunden seit Start;";
  const std::string twoCurves = "Rohwert Kanal 1;Wert Kanal 1 (skaliert);Rohwert Kanal 2;Wert Kanal 2 (skaliert)";
  EXPECT_EQ(RecordLines({{{{1, 2}}, {""}, 0b1},
                         {{{0, 0}, {3, 6}}, {"", ""}, 0b10},
                         {{{4, 8}, {0, 0}, {5, 10}}, {"", "", "Temp; innen"}, 0b101},
                         {{{6, 12}, {7, 14}, {8, 16}}, {"", "", "Temp; innen"}, 0b111}},
                        cdExcel),
            start + "Rohwert;Wert (skaliert)\r\n" +
                "1;2026-12-07T09:15:00.250+00:00;0,250;1;2\r\n" +
                start + twoCurves + "\r\n" +
                "2;2026-12-07T09:15:00.500+00:00;0,500;;;3;6\r\n" +
                start + twoCurves + ";\"Rohwert Temp; innen\";\"Wert Temp; innen (skaliert)\"\r\n" +
                "3;2026-12-07T09:15:00.750+00:00;0,750;4;8;;;5;10\r\n"
                "4;2026-12-07T09:15:01.000+00:00;1,000;6;12;7;14;8;16\r\n");
}

// Started while several curves run: the file begins with one header that
// names them all, and a single named curve is named too.
TEST_F(UtcTime, ARecordingStartedAmongCurvesHasOneHeaderForThem) {
  const std::string start = "Nr,\"Zeit (ISO 8601, Ortszeit)\",Sekunden seit Start,";
  EXPECT_EQ(RecordLines({{{{1, 1}, {2, 2}, {3, 3}}, {"a", "b", "c"}, 0b111}}),
            start + "Rohwert a,Wert a (skaliert),Rohwert b,Wert b (skaliert),Rohwert c,Wert c (skaliert)\r\n" +
                "1,2026-12-07T09:15:00.250+00:00,0.250,1,1,2,2,3,3\r\n");
  EXPECT_EQ(RecordLines({{{{1, 1}}, {"Temperature"}, 1}}),
            start + "Rohwert Temperature,Wert Temperature (skaliert)\r\n1,2026-12-07T09:15:00.250+00:00,0.250,1,1\r\n");
}

// The units of the first sample follow the scaled values' names; a unit
// that comes later adds no header row.
TEST_F(UtcTime, UnitsKnownAtTheFirstSampleStandInTheHeader) {
  const std::string start = "Nr,\"Zeit (ISO 8601, Ortszeit)\",Sekunden seit Start,";
  EXPECT_EQ(RecordLines({{{{1, 2}}, {""}, 1, {"°C"}}, {{{3, 6}}, {""}, 1, {"°C"}}}),
            start + "Rohwert,Wert (skaliert) [°C]\r\n1,2026-12-07T09:15:00.250+00:00,0.250,1,2\r\n" +
                "2,2026-12-07T09:15:00.500+00:00,0.500,3,6\r\n");
  EXPECT_EQ(RecordLines({{{{1, 1}, {2, 2}}, {"Temp", "Druck"}, 0b11, {"°C", ""}},
                         {{{1, 1}, {2, 2}}, {"Temp", "Druck"}, 0b11, {"°C", "hPa"}}}),
            start + "Rohwert Temp,Wert Temp (skaliert) [°C],Rohwert Druck,Wert Druck (skaliert)\r\n" +
                "1,2026-12-07T09:15:00.250+00:00,0.250,1,1,2,2\r\n" +
                "2,2026-12-07T09:15:00.500+00:00,0.500,1,1,2,2\r\n");
}

// kurvex-YYYYMMDD-HHMMSS.csv, each 'd' a digit. (No <regex>: GCC 12 warns
// falsely inside it under the sanitizers.)
bool HasRecordingNameShape(const std::string& name) {
  const std::string shape = "kurvex-dddddddd-dddddd.csv";
  return std::equal(name.begin(), name.end(), shape.begin(), shape.end(), [](char c, char s) {
    return s == 'd' ? std::isdigit(static_cast<unsigned char>(c)) != 0 : c == s;
  });
}

TEST(RecordingName, IsTheLocalStartTimeAndNeverAnExistingFile) {
  TempFolder folder;
  const auto when = std::chrono::system_clock::now();
  const std::string name = RecordingFileName(when);
  EXPECT_TRUE(HasRecordingNameShape(name)) << name;
  EXPECT_EQ(FreshRecordingPath(folder.Dir(), when), folder.Path(name));
  std::ofstream(folder.Path(name)) << "x";
  const std::string second = name.substr(0, name.size() - 4) + "-2.csv";
  EXPECT_EQ(FreshRecordingPath(folder.Dir(), when), folder.Path(second));
  std::ofstream(folder.Path(second)) << "x";
  EXPECT_EQ(FreshRecordingPath(folder.Dir(), when).filename(), name.substr(0, name.size() - 4) + "-3.csv");
}

// Local time of a fixed zone with summer time, so offsets are known.
class BerlinTime : public ::testing::Test {
 protected:
  ScopedTimeZone m_zone{kBerlinZone};
};

constexpr std::int64_t kWinter = 1796634900;  // 2026-12-07 09:15:00 UTC
constexpr std::int64_t kSummer = 1783407900;  // 2026-07-07 07:05:00 UTC
constexpr std::int64_t kNs = 1'000'000'000;

TEST_F(BerlinTime, RowsCarryLocalTimeWithOffsetAndReadBackInBothDialects) {
  const TRecordRow rows[] = {
      {1, kWinter * kNs + 123'456'789, 12'345'678, 12.5f, 26.0f},
      {2, kSummer * kNs + 7'000'000, 3'600'000'000'000, -0.1f, 1e-30f},
      {3, kWinter * kNs + 999'999'999, 0, 3.4e38f, std::numeric_limits<float>::denorm_min()},
  };
  for (TCsvDialect dialect : {cdComma, cdExcel}) {
    SCOPED_TRACE(dialect == cdComma ? "comma" : "excel");
    TRecordRowFormat format(dialect);
    std::string text = format.Header();
    for (const TRecordRow& row : rows) format.Append(text, row);
    const StrictCsv csv = ReadStrictCsv(text, CsvSeparator(dialect));
    ASSERT_EQ(csv.Error, "");
    ASSERT_EQ(csv.Rows.size(), 4u);
    EXPECT_EQ(csv.Rows[0], (std::vector<std::string>{"Nr", "Zeit (ISO 8601, Ortszeit)", "Sekunden seit Start",
                                                     "Rohwert", "Wert (skaliert)"}));
    EXPECT_EQ(csv.Rows[1][1], "2026-12-07T10:15:00.123+01:00");
    EXPECT_EQ(csv.Rows[2][1], "2026-07-07T09:05:00.007+02:00");
    EXPECT_EQ(csv.Rows[3][1], "2026-12-07T10:15:00.999+01:00");
    const char decimal = CsvDecimalSeparator(dialect);
    EXPECT_EQ(csv.Rows[1][2], std::string("0") + decimal + "012");
    EXPECT_EQ(csv.Rows[2][2], std::string("3600") + decimal + "000");
    for (std::size_t i = 0; i < std::size(rows); ++i) {
      EXPECT_EQ(csv.Rows[i + 1][0], std::to_string(rows[i].SampleNumber));
      // Every value reads back as exactly the float that was recorded.
      EXPECT_EQ(StrictFloat(csv.Rows[i + 1][3], decimal), rows[i].RawValue);
      EXPECT_EQ(StrictFloat(csv.Rows[i + 1][4], decimal), rows[i].ScaledValue);
    }
  }
  // Only the comma dialect needs quotes, for the header's comma.
  EXPECT_EQ(TRecordRowFormat(cdComma).Header().substr(0, 32), "Nr,\"Zeit (ISO 8601, Ortszeit)\",S");
  EXPECT_EQ(TRecordRowFormat(cdExcel).Header().substr(0, 29), "Nr;Zeit (ISO 8601, Ortszeit);");
}

TEST(CsvText, QuotesOnlyWhatNeedsIt) {
  std::string row;
  AppendCsvText(row, "plain", cdComma, true);
  AppendCsvText(row, "a;b", cdComma);
  AppendCsvText(row, "a,b", cdComma);
  AppendCsvText(row, "say \"hi\"", cdComma);
  AppendCsvText(row, "two\r\nlines", cdComma);
  AppendCsvValue(row, 0.1, cdExcel);  // a double that is no float keeps all its digits
  EndCsvRow(row);
  EXPECT_EQ(row, "plain,a;b,\"a,b\",\"say \"\"hi\"\"\",\"two\r\nlines\";0,1\r\n");
  const StrictCsv csv = ReadStrictCsv(row.substr(0, row.find(";0,1")) + "\r\n", ',');
  ASSERT_EQ(csv.Error, "");
  EXPECT_EQ(csv.Rows[0], (std::vector<std::string>{"plain", "a;b", "a,b", "say \"hi\"", "two\r\nlines"}));
}

TEST(StrictCsvReader, RejectsWhatATolerantReaderWouldGuess) {
  EXPECT_NE(ReadStrictCsv("a,b\r\n1,2", ',').Error, "");        // last row cut
  EXPECT_NE(ReadStrictCsv("a,b\r\n1\r\n", ',').Error, "");       // field missing
  EXPECT_NE(ReadStrictCsv("a,b\n1,2\n", ',').Error, "");         // LF only
  EXPECT_NE(ReadStrictCsv("a,b\"c\r\n", ',').Error, "");         // stray quote
  EXPECT_NE(ReadStrictCsv("\"a\"b,c\r\n", ',').Error, "");       // text after quotes
  EXPECT_NE(ReadStrictCsv("\"a,b\r\n", ',').Error, "");          // open quote
  EXPECT_EQ(ReadStrictCsv("\"a\"\"\",\"\"\r\n", ',').Error, "");
  EXPECT_THROW(StrictFloat("1.5", ','), std::invalid_argument);
  EXPECT_THROW(StrictFloat("1,5x", ','), std::invalid_argument);
  EXPECT_EQ(StrictFloat("1,5", ','), 1.5f);
}

constexpr std::int64_t kMaxLossNs = 250'000'000;

// A real process records and is killed with SIGKILL: the file must read
// cleanly, end in a complete row and hold every sample but those of the
// last 250 ms.
TEST(RecordingCrash, AKilledRecorderLeavesEverySampleButTheLastMoments) {
  TempFolder folder;
  const std::string csvPath = folder.Path("crash.csv");
  const std::string statePath = folder.Path("state");
  const int stateFd = ::open(statePath.c_str(), O_RDWR | O_CREAT, 0600);
  ASSERT_GE(stateFd, 0);
  ASSERT_EQ(::ftruncate(stateFd, 4096), 0);
  void* shared = ::mmap(nullptr, 4096, PROT_READ | PROT_WRITE, MAP_SHARED, stateFd, 0);
  ASSERT_NE(shared, MAP_FAILED);
  auto* state = static_cast<std::atomic<std::int64_t>*>(shared);

  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::execl(KURVEX_RECORDING_PROBE, KURVEX_RECORDING_PROBE, csvPath.c_str(), statePath.c_str(), nullptr);
    ::_exit(127);
  }
  // Killed in the middle of a recording that has been running a while.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (state[1] < 1000 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ASSERT_EQ(::kill(child, SIGKILL), 0);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  const std::int64_t startNs = state[0], handedOver = state[1], lastNs = state[2];
  ASSERT_GE(handedOver, 1000);

  const std::string text = FileText(csvPath);
  const StrictCsv csv = ReadStrictCsv(text, ',');
  ASSERT_EQ(csv.Error, "");
  ASSERT_GE(csv.Rows.size(), 2u);
  const auto rows = static_cast<std::int64_t>(csv.Rows.size() - 1);
  EXPECT_LE(rows, handedOver);
  for (std::int64_t n = 1; n <= rows; ++n) ASSERT_EQ(csv.Rows[n][0], std::to_string(n));
  // The newest row in the file is at most 250 ms older than the newest sample.
  const std::int64_t lastRowNs =
      startNs + static_cast<std::int64_t>(StrictFloat(csv.Rows.back()[2], '.') * 1000) * 1'000'000;
  EXPECT_LE(lastNs - lastRowNs, kMaxLossNs + 1'000'000)
      << rows << " of " << handedOver << " rows in the file";
  ::munmap(shared, 4096);
  ::close(stateFd);
}

}  // namespace
}  // namespace kurvex::test
