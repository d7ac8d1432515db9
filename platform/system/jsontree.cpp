// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/jsontree.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <algorithm>
#include <cmath>

namespace kurvex {

namespace {

// Whole numbers up to here are exact in a double and written as integers.
constexpr double kExactWhole = 9007199254740992.0;  // 2^53

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
      for (auto it = object.begin(); it != object.end(); ++it) members.emplace_back(it.key().toStdString(), TreeOf(*it));
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
    for (const auto& [key, member] : members) object.insert(QString::fromStdString(key), std::visit(*this, member.Data));
    return object;
  }
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool EndsEarly(std::string_view text, std::size_t errorAt) {
  std::string_view rest = text.substr(std::min(errorAt, text.size()));
  while (!rest.empty() && IsBlank(rest.back())) rest.remove_suffix(1);
  for (const std::string_view word : {"true", "false", "null"}) {
    if (word.starts_with(rest)) return true;
  }
  return false;
}

}  // namespace

const TJsonValue* TJsonValue::Member(std::string_view key) const {
  const TObject* members = Members();
  if (members == nullptr) return nullptr;
  const auto it = std::find_if(members->begin(), members->end(), [key](const auto& member) { return member.first == key; });
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
  // Text after the document is no cut; an empty text is no document at all.
  parse.CutShort = error.error != QJsonParseError::GarbageAtEnd && !EndsEarly(text, 0) && EndsEarly(text, errorAt);
  return parse;
}

std::string JsonText(const TJsonValue& value) {
  const QJsonValue qt = std::visit(TQtOf{}, value.Data);
  const QJsonDocument document = qt.isArray() ? QJsonDocument(qt.toArray()) : QJsonDocument(qt.toObject());
  return document.toJson(QJsonDocument::Indented).toStdString();
}

}  // namespace kurvex
