// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "app/chartcsv.h"

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

}  // namespace
}  // namespace kurvex::test
