// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

#include "platform/drawing/color.h"

namespace kurvex {

/// How the window calls each curve of what it shows, for whatever writes
/// about several curves: the name the legend shows ("Temp", "Kanal 2"),
/// its unit (empty when it has none) and its colour. GUI thread only.
class TCurveDescriptions {
 public:
  virtual ~TCurveDescriptions() = default;
  virtual std::string Label(std::size_t curve) const = 0;
  virtual std::string Unit(std::size_t curve) const = 0;
  virtual TColor Color(std::size_t curve) const = 0;
};

}  // namespace kurvex
