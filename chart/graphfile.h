// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/system/error.h"

namespace kurvex {

/// A graph file (or chart export) that could not be written or read.
class EGraphFileError : public EFileError {
 public:
  using EFileError::EFileError;
};

/// What a load took from a graph file.
struct TGraphLoad {
  int Records = 0;            ///< whole records, now the chart's items
  std::int64_t CutBytes = 0;  ///< bytes of a last record the file cuts off, left out
};

/// Why the whole records of a file (its bytes up to the last complete
/// record) are no graph file, as a German sentence: there is none, or they
/// are text, which no chart writes (each record holds control bytes, at
/// least its zero bytes). Nothing when they are a graph file.
std::optional<std::string> NotAGraphFile(std::string_view wholeRecords);

}  // namespace kurvex
