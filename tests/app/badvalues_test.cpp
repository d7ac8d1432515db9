// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <optional>

#include "intake/lineassembler.h"
#include "tests/app/mainwindow_fixture.h"
#include "tests/support/strictcsv.h"

namespace kurvex::test {
namespace {

using BadValuesTest = MainWindowTest;

struct BadValueCase {
  std::string Line;
  std::optional<float> Value;  // none: the line is a gap
  const char* Label10;         // what the value label shows after the line
  bool CountedBad;
};

std::filesystem::path OnlyFileIn(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) files.push_back(entry.path());
  return files.size() == 1 ? files[0] : std::filesystem::path();
}

// Each line follows a good "5": what the chart, Label10, the bad-line count
// and the recording make of it, in one acquisition that never stops for it.
// One line of each way the window treats a line; what each kind of text
// reads as is the number reader's test.
TEST_F(BadValuesTest, EachLineIsOneSampleAndWhatCannotBeReadIsAGap) {
  const std::vector<BadValueCase> cases{
      {"1e39", {}, "5", true},            // beyond single precision
      {"12,5 V", 12.5f, "12,5", false},   // a decimal comma and a unit
      {"abc", {}, "5", true},             // no number at all
      {"", 0.0f, "0", true},              // the empty line is 0, as ever
      {"1.2.3", 1.2f, "1,20000004768372", true},
      {std::string(70, 'Z') + ":5", {}, "5", true},              // a name too long
      {std::string(kMaxPendingLine + 10, 'x'), {}, "5", true},  // a line too long
  };
  form->RecordCheckBox->SetChecked(true);
  form->StartButton->Click();
  int bad = 0;
  for (const BadValueCase& c : cases) {
    Receive("5\r\n");
    Receive(c.Line + "\r\n");
    bad += c.CountedBad;
    EXPECT_EQ(form->Label10->Caption(), c.Label10) << c.Line;
    EXPECT_EQ(Panel(2), bad ? "Ungültige Zeilen: " + std::to_string(bad) : "") << c.Line;
  }
  Receive("5\r\n");
  EXPECT_TRUE(form->SerialComm1->Active());
  EXPECT_TRUE(Messages().empty());
  const std::int64_t samples = 2 * static_cast<std::int64_t>(cases.size()) + 1;
  EXPECT_EQ(form->SessionState.SampleCount, samples);
  form->StopButton->Click();

  // Normal: sample n at X = n; after a gap the curve starts anew.
  std::vector<const TChartItem*> atX(static_cast<std::size_t>(samples) + 1);
  for (int i = 0; i < form->Chart1->ItemCount(); ++i) {
    const TChartItem& item = form->Chart1->Item(i);
    if (item.X >= 2) atX[static_cast<std::size_t>(item.X)] = &item;
  }
  const StrictCsv csv = ReadStrictCsv(FileText(OnlyFileIn(config.DataDir() / "kurvex")), ',');
  ASSERT_EQ(csv.Error, "");
  ASSERT_EQ(csv.Rows.size(), static_cast<std::size_t>(samples) + 1);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const BadValueCase& c = cases[i];
    const std::size_t n = 2 * i + 2;
    const std::vector<std::string>& row = csv.Rows[n];
    EXPECT_EQ(row[0], std::to_string(n)) << c.Line;
    if (c.Value) {
      ASSERT_NE(atX[n], nullptr) << c.Line;
      EXPECT_EQ(atX[n]->Y, *c.Value) << c.Line;
      EXPECT_EQ(StrictFloat(row[3], '.'), *c.Value) << c.Line;
      EXPECT_EQ(StrictFloat(row[4], '.'), *c.Value) << c.Line;
    } else {
      EXPECT_EQ(atX[n], nullptr) << c.Line;
      EXPECT_EQ(atX[n + 1]->Kind, ikMoveTo) << c.Line;
      EXPECT_EQ(row[3] + row[4], "") << c.Line;
    }
  }
}

}  // namespace
}  // namespace kurvex::test
