// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <fstream>

#include "csvimport/csvlines.h"
#include "csvimport/csvtime.h"
#include "tests/support/tempfolder.h"

namespace kurvex::test {
namespace {

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
  setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
  tzset();
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
  unsetenv("TZ");
  tzset();
}

}  // namespace
}  // namespace kurvex::test
