// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "setup/setup.h"

namespace kurvex {

/// A feature's share of a measurement setup: what it writes into one when
/// the user saves, and takes from one when the user opens it.
class TSetupPart {
 public:
  virtual ~TSetupPart() = default;
  virtual void CollectInto(TSetup& setup) const = 0;
  /// Applies what `setup` says; an entry it leaves unset leaves the feature
  /// as it is. What could not be applied is told in `notes`, one German
  /// sentence each.
  virtual void ApplyFrom(const TSetup& setup, std::vector<std::string>& notes) = 0;
};

}  // namespace kurvex
