// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace kurvex {

/// A JSON document as a tree of plain values: null, true/false, a number,
/// a UTF-8 string, an array or an object. Objects come from the reader
/// sorted by key, each key once (a repeated key keeps its last value).
struct TJsonValue {
  using TArray = std::vector<TJsonValue>;
  using TObject = std::vector<std::pair<std::string, TJsonValue>>;

  std::variant<std::nullptr_t, bool, double, std::string, TArray, TObject> Data;

  TJsonValue() : Data(nullptr) {}
  TJsonValue(bool flag) : Data(flag) {}
  TJsonValue(double number) : Data(number) {}
  TJsonValue(std::string text) : Data(std::move(text)) {}
  TJsonValue(const char* text) : Data(std::string(text)) {}
  TJsonValue(TArray items) : Data(std::move(items)) {}
  TJsonValue(TObject members) : Data(std::move(members)) {}

  /// The value as that kind, or null when it is another.
  const bool* Flag() const { return std::get_if<bool>(&Data); }
  const double* Number() const { return std::get_if<double>(&Data); }
  const std::string* Text() const { return std::get_if<std::string>(&Data); }
  const TArray* Items() const { return std::get_if<TArray>(&Data); }
  const TObject* Members() const { return std::get_if<TObject>(&Data); }
  /// The value of an object's member `key`; null when this is no object or
  /// has no such member.
  const TJsonValue* Member(std::string_view key) const;

  bool operator==(const TJsonValue&) const = default;
};

/// What reading a JSON text gave: the document, or where and why not.
struct TJsonParse {
  std::optional<TJsonValue> Value;
  /// 1-based line of the first error.
  int Line = 0;
  /// The parser's own description of the error, for logs.
  std::string Error;
  /// The text ends inside the document, as a file cut short does: nothing
  /// but blanks, or the start of true, false or null, follows the error.
  bool CutShort = false;
};

/// Reads a UTF-8 JSON text whose document is an object or an array.
TJsonParse ParseJson(std::string_view text);

/// The document `value` (an object or an array) as indented UTF-8 text
/// ending in a line end. The same value always gives the same bytes:
/// object keys sorted, whole numbers below 2^53 without a fraction, others
/// in the shortest text that reads back as the same double; a number that
/// is not finite is written as null.
std::string JsonText(const TJsonValue& value);

/// A number as JsonText writes it.
std::string NumberText(double number);

}  // namespace kurvex
