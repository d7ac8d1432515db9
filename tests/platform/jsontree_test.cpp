// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "platform/system/jsontree.h"

namespace kurvex {
namespace {

TEST(JsonTree, ADocumentReadsAsATreeAndIsWrittenBackAsRead) {
  const std::string text = R"([
    null,
    true,
    -1.5,
    "Grüße \"\n\t\u0001",
    [
    ],
    {
        "a": {
            "b": [
                1
            ]
        }
    }
]
)";
  const TJsonParse parse = ParseJson(text);
  ASSERT_TRUE(parse.Value);
  const TJsonValue expected(TJsonValue::TArray{
      {}, true, -1.5, "Grüße \"\n\t\x01", TJsonValue::TArray{},
      TJsonValue::TObject{{"a", TJsonValue::TObject{{"b", TJsonValue::TArray{1.0}}}}}});
  EXPECT_EQ(*parse.Value, expected);
  EXPECT_EQ(JsonText(expected), text);
}

TEST(JsonTree, ObjectsAreKeptSortedByKeyWithTheLastOfARepeatedKey) {
  const TJsonParse parse = ParseJson(R"({"b": 1, "a": 2, "b": 3})");
  ASSERT_TRUE(parse.Value);
  EXPECT_EQ(*parse.Value, TJsonValue(TJsonValue::TObject{{"a", 2.0}, {"b", 3.0}}));
  EXPECT_EQ(*parse.Value->Member("b"), TJsonValue(3.0));
  EXPECT_EQ(parse.Value->Member("c"), nullptr);
  EXPECT_EQ(TJsonValue(1.0).Member("a"), nullptr);
}

TEST(JsonTree, NumbersAreWrittenInTheShortestTextThatReadsBack) {
  const std::pair<double, std::string> cases[] = {
      {0, "0"},          {-7, "-7"},          {1e15, "1000000000000000"},     {9007199254740992.0, "9007199254740992"},
      {0.1, "0.1"},      {1e300, "1e+300"},   {-2.5e-7, "-2.5e-07"},
      {std::numeric_limits<double>::infinity(), "null"}, {std::numeric_limits<double>::quiet_NaN(), "null"},
  };
  for (const auto& [number, text] : cases) {
    EXPECT_EQ(NumberText(number), text);
    EXPECT_EQ(JsonText(TJsonValue::TArray{number}), "[\n    " + text + "\n]\n");
  }
}

TEST(JsonTree, AnErrorGivesItsLineAndWhetherTheTextWasCutShort) {
  struct {
    std::string Text;
    int Line;
    bool CutShort;
  } const cases[] = {
      {"{\n\"a\": [1,\n", 3, true},  {"{\"a\": \"x\\u00", 1, true}, {"{\"a\": \"\xc3", 1, true},
      {"{\"a\":\n nul", 2, true},    {"{\"a\": x}", 1, false},    {"{} {}", 1, false},
      {"\n\n", 3, false},            {"{\"a\": \"\xff\"}", 1, false},
  };
  for (const auto& c : cases) {
    const TJsonParse parse = ParseJson(c.Text);
    EXPECT_FALSE(parse.Value) << c.Text;
    EXPECT_EQ(parse.Line, c.Line) << c.Text;
    EXPECT_EQ(parse.CutShort, c.CutShort) << c.Text;
    EXPECT_FALSE(parse.Error.empty());
  }
}

}  // namespace
}  // namespace kurvex
