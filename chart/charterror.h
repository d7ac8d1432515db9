// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/system/error.h"

namespace kurvex {

/// Base of the chart's errors.
class EChartBaseError : public EKurvexError {
 public:
  using EKurvexError::EKurvexError;
};

/// Raised for invalid joint-layer settings; the setting keeps its old value.
class EChartError : public EChartBaseError {
 public:
  using EChartBaseError::EChartBaseError;
};

}  // namespace kurvex
