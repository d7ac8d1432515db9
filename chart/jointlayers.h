// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include "platform/windows/control.h"

namespace kurvex {

/// Which layer's axis range each layer's X and Y axis shows. A layer that is
/// not controlled by itself is "joined"; joins are one level deep: a
/// controlling layer cannot itself be joined, and a joined layer cannot
/// control others. Owned by the chart (its JointLayers). GUI thread only.
class TJointLayers : public TObject {
 public:
  TJointLayers();
  TJointLayers(const TJointLayers&) = delete;
  TJointLayers& operator=(const TJointLayers&) = delete;

  /// The layer (1..16) whose X (Y) range the given layer (1..16) shows.
  int XControlledBy(int layer) const { return m_x.at(layer - 1); }
  int YControlledBy(int layer) const { return m_y.at(layer - 1); }
  /// Joins layer's X (Y) axis to controller's, or frees it when controller is
  /// the layer itself. Throws EChartError, keeping the old entry, when
  /// controller is outside 1..16, is itself joined, or layer controls others.
  void SetXControlledBy(int layer, int controller);
  void SetYControlledBy(int layer, int controller);

  /// Copies all 32 entries unchecked and fires OnChange.
  void Assign(const TJointLayers& source);

  /// Fired after a join is stored.
  TNotifyEvent OnChange;

 private:
  void SetEntry(std::array<int, 16>& entries, int layer, int controller);
  std::array<int, 16> m_x;
  std::array<int, 16> m_y;
};

}  // namespace kurvex
