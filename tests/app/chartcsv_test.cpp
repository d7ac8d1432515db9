// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "app/files/chartcsv.h"

namespace kurvex::test {
namespace {

void AddItem(TItemStore& items, std::uint8_t kind, double x, double y, std::uint8_t curve = 0) {
  TChartItem& item = items.Append(16);
  item.Kind = kind;
  item.X = x;
  item.Y = y;
  item.Curve = curve;
}

TEST(ChartCsv, OneCurveIsExportedAsEver) {
  TItemStore items;
  AddItem(items, ikMoveTo, 0, 1.5);
  AddItem(items, ikText, 0, 99);
  AddItem(items, ikDrawTo, 1, -0.1);
  EXPECT_EQ(ChartSamplesCsv(items, cdExcel), "Sample;Wert (skaliert)\r\n0;1,5\r\n1;-0,1\r\n");
}

// Items of one X share a row; a curve without an item there, or one that
// starts later, leaves an empty cell; the same curve twice at one X makes
// two rows rather than losing a value.
TEST(ChartCsv, EachCurveHasItsColumnAndGapsStayEmpty) {
  TItemStore items;
  AddItem(items, ikMoveTo, 0, 1);
  AddItem(items, ikDrawTo, 1, 2);
  AddItem(items, ikMoveTo, 1, 20, 1);
  AddItem(items, ikMoveTo, 2, 300, 2);
  AddItem(items, ikDrawTo, 2, 3);
  AddItem(items, ikText, 2, 99, 1);
  AddItem(items, ikDrawTo, 2, 4);
  const std::string names[] = {"", "Temp, innen"};
  EXPECT_EQ(ChartSamplesCsv(items, cdComma, names),
            "Sample,Wert Kanal 1 (skaliert),\"Wert Temp, innen (skaliert)\",Wert Kanal 3 (skaliert)\r\n"
            "0,1,,\r\n"
            "1,2,20,\r\n"
            "2,3,,300\r\n"
            "2,4,,\r\n");
}

// Trend samples: sample 1 is drawn at X 0 and X 1, but counted once.
TEST(ChartCsv, AHistoryGivesOneRowPerSampleNumberedAsCountedWithGapsEmpty) {
  THistory history;
  const float values[][2] = {{1.5f, 0}, {2, 20}, {-0.25f, 0}};
  history.Append(0, values[0], 0b01);
  history.Append(0, values[1], 0b11);
  history.Append(0, values[2], 0b01);
  const std::string names[] = {"Temp", ""};
  EXPECT_EQ(HistorySamplesCsv(history, cdExcel, names),
            "Sample;Wert Temp (skaliert);Wert Kanal 2 (skaliert)\r\n1;1,5;\r\n2;2;20\r\n3;-0,25;\r\n");
  THistory one;
  one.Append(0, values[0], 0b01);
  EXPECT_EQ(HistorySamplesCsv(one, cdComma), "Sample,Wert (skaliert)\r\n1,1.5\r\n");
}

}  // namespace
}  // namespace kurvex::test
