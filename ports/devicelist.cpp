// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/devicelist.h"

#include <algorithm>

namespace kurvex {

int TDeviceList::Insert(TSerialDevice device) {
  if (IndexOfPort(device.PortNumber) >= 0) return -1;
  const auto after = std::find_if(m_entries.begin(), m_entries.end(), [&](const auto& entry) {
    return entry->PortNumber > device.PortNumber;
  });
  const auto placed = m_entries.insert(after, std::make_unique<TSerialDevice>(std::move(device)));
  for (auto it = placed; it != m_entries.end(); ++it) {
    (*it)->ListIndex = static_cast<int>(it - m_entries.begin());
  }
  return (*placed)->ListIndex;
}

int TDeviceList::IndexOfPort(int portNumber) const {
  const auto found = std::find_if(m_entries.begin(), m_entries.end(), [&](const auto& entry) {
    return entry->PortNumber == portNumber;
  });
  return found == m_entries.end() ? -1 : static_cast<int>(found - m_entries.begin());
}

}  // namespace kurvex
