// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/jointlayers.h"

#include <numeric>
#include <string>

#include "chart/charterror.h"

namespace kurvex {

TJointLayers::TJointLayers() {
  std::iota(m_x.begin(), m_x.end(), 1);
  std::iota(m_y.begin(), m_y.end(), 1);
}

void TJointLayers::SetXControlledBy(int layer, int controller) { SetEntry(m_x, layer, controller); }

void TJointLayers::SetYControlledBy(int layer, int controller) { SetEntry(m_y, layer, controller); }

void TJointLayers::SetEntry(std::array<int, 16>& entries, int layer, int controller) {
  int& entry = entries.at(layer - 1);
  if (controller < 1 || controller > 16)
    throw EChartError("Destination layer " + std::to_string(controller) + " is out of range");
  if (controller == layer) {
    entry = layer;
    return;
  }
  if (entries[controller - 1] != controller)
    throw EChartError("Destination layer " + std::to_string(controller) + " is already joined");
  std::string joined;
  for (int other = 1; other <= 16; ++other) {
    if (other == layer || entries[other - 1] != layer) continue;
    joined += (joined.empty() ? "" : ", ") + std::to_string(other);
  }
  if (!joined.empty())
    throw EChartError("Layer " + std::to_string(layer) + " is joined by other layers (" + joined + ")");
  entry = controller;
  if (OnChange) OnChange(this);
}

void TJointLayers::Assign(const TJointLayers& source) {
  m_x = source.m_x;
  m_y = source.m_y;
  if (OnChange) OnChange(this);
}

}  // namespace kurvex
