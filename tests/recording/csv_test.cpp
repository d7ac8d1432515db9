// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <limits>

#include "recording/recordrow.h"
#include "tests/support/strictcsv.h"

namespace kurvex::test {
namespace {

// Local time of a fixed zone with summer time, so offsets are known.
class BerlinTime : public ::testing::Test {
 protected:
  BerlinTime() {
    if (const char* tz = std::getenv("TZ")) m_previous = tz;
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
  }
  ~BerlinTime() override {
    if (m_previous.empty())
      unsetenv("TZ");
    else
      setenv("TZ", m_previous.c_str(), 1);
    tzset();
  }

 private:
  std::string m_previous;
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

}  // namespace
}  // namespace kurvex::test
