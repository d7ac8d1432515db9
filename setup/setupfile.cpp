// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/setupfile.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "intake/intakestate.h"
#include "platform/system/jsontree.h"
#include "setup/entrykinds.h"
#include "setup/entrylines.h"
#include "setup/setupentries.h"

namespace kurvex {

namespace {

constexpr TWholeKind<double> kVersion{1, std::numeric_limits<double>::max()};
// Bytes of a value a problem quotes.
constexpr std::size_t kShortValue = 40;

// Entries skipped, by name, with their values; their lines are found at the
// end, in one scan of the text.
using TSkipped = std::vector<std::pair<std::string, const TJsonValue*>>;

std::string Shortened(const std::string& text) {
  if (text.size() <= kShortValue) return text;
  std::size_t end = kShortValue;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;  // not within a character
  return text.substr(0, end) + "…";
}

struct TShortText {
  std::string operator()(std::nullptr_t) const { return "null"; }
  std::string operator()(bool flag) const { return flag ? "true" : "false"; }
  std::string operator()(double number) const { return NumberText(number); }
  std::string operator()(const std::string& text) const { return Shortened(text); }
  std::string operator()(const TJsonValue::TArray&) const { return "[…]"; }
  std::string operator()(const TJsonValue::TObject&) const { return "{…}"; }
};

TSetupProblem Problem(std::string_view text, const std::string& entry, const TJsonValue* value) {
  return {TEntryLines(text, {&entry, 1}).Line(entry), entry,
          value != nullptr ? std::visit(TShortText{}, value->Data) : ""};
}

TSetupRead Refuse(TSetupRead::TRefusal refusal, TSetupProblem where) {
  TSetupRead read;
  read.Refusal = refusal;
  read.Refused = std::move(where);
  return read;
}

template <class TRecord>
void ReadEntries(const TJsonValue& object, const std::string& name, std::span<const TSetupEntry<TRecord>> entries,
                 TRecord& record, TSkipped& skipped) {
  if (object.Members() == nullptr) {
    skipped.emplace_back(name, &object);
    return;
  }
  for (const TSetupEntry<TRecord>& entry : entries) {
    const TJsonValue* value = object.Member(entry.Key);
    if (value != nullptr && !entry.Read(*value, record)) skipped.emplace_back(MemberEntry(name, entry.Key), value);
  }
}

// A bad curve stays in the list, unset, so the curves after it keep their
// numbers. The first curve too many stands for all the rest.
void ReadCurves(const TJsonValue& curves, std::vector<TSetupCurve>& setup, TSkipped& skipped) {
  const TJsonValue::TArray* items = curves.Items();
  if (items == nullptr) {
    skipped.emplace_back(std::string(kCurvesKey), &curves);
    return;
  }
  for (std::size_t i = 0; i < items->size(); ++i) {
    const std::string name = ElementEntry(kCurvesKey, i + 1);
    if (i == kMaxCurves) {
      skipped.emplace_back(name, &(*items)[i]);
      return;
    }
    ReadEntries((*items)[i], name, CurveEntries(), setup.emplace_back(), skipped);
  }
}

template <class TRecord>
TJsonValue::TObject WriteEntries(std::span<const TSetupEntry<TRecord>> entries, const TRecord& record) {
  TJsonValue::TObject members;
  for (const TSetupEntry<TRecord>& entry : entries) {
    if (std::optional<TJsonValue> value = entry.Write(record)) members.emplace_back(entry.Key, std::move(*value));
  }
  return members;
}

}  // namespace

TSetupRead ReadSetup(std::string_view text) {
  if (text.size() > kMaxSetupBytes) return Refuse(TSetupRead::NotASetup, {1, "", ""});
  const TJsonParse parse = ParseJson(text);
  if (!parse.Value) return Refuse(parse.CutShort ? TSetupRead::CutShort : TSetupRead::NotASetup, {parse.Line, "", ""});
  const TJsonValue& root = *parse.Value;
  const std::string versionKey(kVersionKey);
  const TJsonValue* version = root.Member(kVersionKey);
  if (version == nullptr) return Refuse(TSetupRead::NotASetup, {1, root.Members() != nullptr ? versionKey : "", ""});
  const std::optional<double> number = kVersion.Read(*version);
  if (!number) return Refuse(TSetupRead::NotASetup, Problem(text, versionKey, version));
  if (*number > kSetupVersion) return Refuse(TSetupRead::NewerVersion, Problem(text, versionKey, version));

  TSetupRead read;
  TSkipped skipped;
  for (const TSetupGroup& group : SetupGroups()) {
    if (const TJsonValue* object = root.Member(group.Name)) {
      ReadEntries(*object, std::string(group.Name), group.Entries, read.Setup, skipped);
    }
  }
  if (const TJsonValue* curves = root.Member(kCurvesKey)) ReadCurves(*curves, read.Setup.Curves, skipped);

  std::vector<std::string> names;
  for (const auto& [name, value] : skipped) names.push_back(name);
  const TEntryLines lines(text, names);
  for (const auto& [name, value] : skipped) {
    read.Skipped.push_back({lines.Line(name), name, std::visit(TShortText{}, value->Data)});
  }
  std::stable_sort(read.Skipped.begin(), read.Skipped.end(),
                   [](const TSetupProblem& a, const TSetupProblem& b) { return a.Line < b.Line; });
  return read;
}

std::string SetupText(const TSetup& setup) {
  TJsonValue::TObject root{{std::string(kVersionKey), static_cast<double>(kSetupVersion)}};
  for (const TSetupGroup& group : SetupGroups()) {
    TJsonValue::TObject members = WriteEntries(group.Entries, setup);
    if (!members.empty()) root.emplace_back(group.Name, std::move(members));
  }
  if (!setup.Curves.empty()) {
    TJsonValue::TArray curves;
    for (std::size_t i = 0; i < std::min(setup.Curves.size(), kMaxCurves); ++i) {
      curves.emplace_back(WriteEntries(CurveEntries(), setup.Curves[i]));
    }
    root.emplace_back(kCurvesKey, std::move(curves));
  }
  return JsonText(root);
}

}  // namespace kurvex
