// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <limits>
#include <random>

#include <gtest/gtest.h>

#include "chart/graphfile.h"
#include "tests/chart/render_fixture.h"

namespace kurvex::test {
namespace {

// A bounded run of what the fuzz target explores without limit: foreign
// files with any bytes load whole (when they hold a whole record) and paint
// without crashing or hanging.
class GraphFileRandomTest : public WindowChartTest {
 protected:
  std::mt19937_64 random{20240607};

  double AnyDouble() {
    static const double special[] = {std::numeric_limits<double>::quiet_NaN(),
                                     std::numeric_limits<double>::infinity(),
                                     -std::numeric_limits<double>::infinity(),
                                     std::numeric_limits<double>::max(),
                                     std::numeric_limits<double>::denorm_min(),
                                     -1e300, 0.0, -0.0, 1e-320};
    switch (random() % 3) {
      case 0: return special[random() % std::size(special)];
      case 1: return std::uniform_real_distribution<double>(-50, 1050)(random);
      default: return std::bit_cast<double>(random());
    }
  }

  std::int32_t AnyInt() {
    static const std::int32_t special[] = {0, 1, -1, 17, 90, 91, 180, 255, 30001, -30001,
                                           std::numeric_limits<std::int32_t>::max(),
                                           std::numeric_limits<std::int32_t>::min()};
    return random() % 2 ? special[random() % std::size(special)] : static_cast<std::int32_t>(random());
  }

  // A record whose kind is mostly a drawable one, with any values in it.
  std::string AnyRecord() {
    TChartItem item = MakeItem(static_cast<TItemKind>(random() % 16), AnyDouble(), AnyDouble(), AnyDouble(),
                               AnyDouble());
    item.Color = static_cast<TColor>(random());
    item.FillColor = static_cast<TColor>(random());
    item.PenStyle = static_cast<std::uint8_t>(random() % 9);
    item.LineWidth = random() % 4 ? static_cast<std::int32_t>(random() % 4) : AnyInt();
    item.Layer = random() % 2 ? static_cast<std::int32_t>(random() % 18) : AnyInt();
    item.NoFill = static_cast<std::uint8_t>(random() % 2);
    item.FrameStyle = static_cast<std::uint8_t>(random() % 7);
    for (std::uint8_t& b : item.Text) b = static_cast<std::uint8_t>(random());
    item.Size = AnyInt();
    item.Depth = AnyInt();
    item.MarkCode = static_cast<std::uint8_t>(random());
    return std::string(reinterpret_cast<const char*>(&item), sizeof item);
  }
};

TEST_F(GraphFileRandomTest, AnyBytesLoadWholeAndPaint) {
  AcquisitionRange();
  TempFolder folder;
  const std::string path = folder.Path("foreign.kvx");
  for (int round = 0; round < 150; ++round) {
    std::string bytes;
    const int records = static_cast<int>(random() % 40);
    for (int i = 0; i < records; ++i) bytes += AnyRecord();
    if (round % 3 == 0)  // pure noise, with a trailing piece
      for (char& c : bytes) c = static_cast<char>(random());
    bytes += std::string(random() % 104, '\x7f');
    WriteFileBytes(path, bytes);
    if (records == 0) {  // no whole record: no graph file
      EXPECT_THROW(chart.LoadGraph(path, round % 2 == 0), EGraphFileError);
      continue;
    }
    chart.LoadGraph(path, round % 2 == 0);
    ASSERT_EQ(chart.ItemCount(), records) << "round " << round;
    chart.SetGridStyle(static_cast<GridStyleType>(round % 8));
    chart.ShowGraph();
  }
  SUCCEED();
}

}  // namespace
}  // namespace kurvex::test
