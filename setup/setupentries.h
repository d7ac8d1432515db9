// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "platform/system/jsontree.h"
#include "setup/setup.h"

namespace kurvex {

/// The entry that holds a file's format version; its capital sorts it first
/// among the keys, which the writer orders.
inline constexpr std::string_view kVersionKey = "Kurvex-Setup";
/// The array of curves, curve 1 first.
inline constexpr std::string_view kCurvesKey = "curves";

/// One entry of an object of the file, and the field of a record it holds.
template <class TRecord>
struct TSetupEntry {
  std::string_view Key;
  /// Sets the field from `value`; false, leaving it unset, for a bad value.
  bool (*Read)(const TJsonValue& value, TRecord& record);
  /// The field's value; nullopt while it is unset.
  std::optional<TJsonValue> (*Write)(const TRecord& record);
};

/// An object of the file that holds fields of TSetup: "port", "graph" …
struct TSetupGroup {
  std::string_view Name;
  std::span<const TSetupEntry<TSetup>> Entries;
};

std::span<const TSetupGroup> SetupGroups();
/// The entries of each object in the array of curves.
std::span<const TSetupEntry<TSetupCurve>> CurveEntries();

}  // namespace kurvex
