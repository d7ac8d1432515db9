// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/jsontree.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iterator>

namespace kurvex {

namespace {

// Whole numbers up to here are exact in a double and written as integers.
constexpr double kExactWhole = 9007199254740992.0;  // 2^53
constexpr std::string_view kLiterals[] = {"true", "false", "null"};

// Qt's parser bounds the nesting depth, so the recursion is bounded too.
TJsonValue TreeOf(const QJsonValue& value) {
  switch (value.type()) {
    case QJsonValue::Bool:
      return value.toBool();
    case QJsonValue::Double:
      return value.toDouble();
    case QJsonValue::String:
      return value.toString().toStdString();
    case QJsonValue::Array: {
      TJsonValue::TArray items;
      for (const QJsonValue& item : value.toArray()) items.push_back(TreeOf(item));
      return items;
    }
    case QJsonValue::Object: {
      const QJsonObject object = value.toObject();
      TJsonValue::TObject members;
      for (auto it = object.begin(); it != object.end(); ++it) {
        members.emplace_back(it.key().toStdString(), TreeOf(*it));
      }
      return members;
    }
    default:
      return {};
  }
}

struct TQtOf {
  QJsonValue operator()(std::nullptr_t) const { return QJsonValue::Null; }
  QJsonValue operator()(bool flag) const { return flag; }
  QJsonValue operator()(double number) const {
    if (std::isfinite(number) && std::trunc(number) == number && std::fabs(number) < kExactWhole) {
      return static_cast<qint64>(number);
    }
    return std::isfinite(number) ? QJsonValue(number) : QJsonValue(QJsonValue::Null);
  }
  QJsonValue operator()(const std::string& text) const { return QString::fromStdString(text); }
  QJsonValue operator()(const TJsonValue::TArray& items) const {
    QJsonArray array;
    for (const TJsonValue& item : items) array.append(std::visit(*this, item.Data));
    return array;
  }
  QJsonValue operator()(const TJsonValue::TObject& members) const {
    QJsonObject object;
    for (const auto& [key, member] : members) {
      object.insert(QString::fromStdString(key), std::visit(*this, member.Data));
    }
    return object;
  }
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A character whose UTF-8 sequence lacks its last bytes.
bool PartialCharacter(std::string_view rest) {
  if (rest.empty()) return false;
  const auto lead = static_cast<unsigned char>(rest[0]);
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  return rest.size() < length && std::all_of(rest.begin() + 1, rest.end(),
                                             [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; });
}

// Whether the text ends where the document would go on: what follows the
// error (blanks at the end aside) is the start of a broken token.
bool EndsEarly(std::string_view text, std::size_t errorAt, QJsonParseError::ParseError error) {
  std::string_view rest = text.substr(std::min(errorAt, text.size()));
  while (!rest.empty() && IsBlank(rest.back())) rest.remove_suffix(1);
  switch (error) {
    case QJsonParseError::IllegalUTF8String:
      return PartialCharacter(rest);
    case QJsonParseError::IllegalEscapeSequence:  // within \uXXXX
      return rest.size() < 4 &&
             std::all_of(rest.begin(), rest.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
    default:
      return std::any_of(std::begin(kLiterals), std::end(kLiterals),
                         [rest](std::string_view word) { return word.starts_with(rest); });
  }
}

}  // namespace

const TJsonValue* TJsonValue::Member(std::string_view key) const {
  const TObject* members = Members();
  if (members == nullptr) return nullptr;
  const auto it =
      std::find_if(members->begin(), members->end(), [key](const auto& member) { return member.first == key; });
  return it == members->end() ? nullptr : &it->second;
}

TJsonParse ParseJson(std::string_view text) {
  QJsonParseError error;
  const QJsonDocument document =
      QJsonDocument::fromJson(QByteArray(text.data(), static_cast<qsizetype>(text.size())), &error);
  TJsonParse parse;
  if (error.error == QJsonParseError::NoError) {
    parse.Value = document.isArray() ? TreeOf(document.array()) : TreeOf(document.object());
    return parse;
  }
  const std::size_t errorAt = static_cast<std::size_t>(std::max(0, error.offset));
  parse.Line = 1 + static_cast<int>(std::count(text.begin(), text.begin() + std::min(errorAt, text.size()), '\n'));
  parse.Error = error.errorString().toStdString();
  // Text after the document is no cut; a blank text is no document at all.
  // Qt places a broken true, false or null one byte past its start.
  const std::size_t brokenAt = error.error == QJsonParseError::IllegalValue && errorAt > 0 ? errorAt - 1 : errorAt;
  parse.CutShort = error.error != QJsonParseError::GarbageAtEnd &&
                   text.find_first_not_of(" \t\r\n") != std::string_view::npos &&
                   EndsEarly(text, brokenAt, error.error);
  return parse;
}

std::string NumberText(double number) {
  const QByteArray text = QJsonDocument(QJsonArray{TQtOf{}(number)}).toJson(QJsonDocument::Compact);
  return text.mid(1, text.size() - 2).toStdString();  // without the array's brackets
}

std::string JsonText(const TJsonValue& value) {
  const QJsonValue qt = std::visit(TQtOf{}, value.Data);
  const QJsonDocument document = qt.isArray() ? QJsonDocument(qt.toArray()) : QJsonDocument(qt.toObject());
  return document.toJson(QJsonDocument::Indented).toStdString();
}

}  // namespace kurvex
