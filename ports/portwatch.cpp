// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/portwatch.h"

#include <algorithm>

#include "platform/system/samedevice.h"
#include "ports/comassign.h"
#include "ports/comport.h"
#include "ports/portscan.h"

namespace kurvex {

namespace {

constexpr int kSettleMs = 200;

}  // namespace

TPortWatch::TPortWatch(TPortListHolder& ports) : m_ports(ports) {
  m_settle.SetName("PortSettleTimer");
  m_settle.SetInterval(kSettleMs);
  m_settle.OnTimer = [this](TObject*) {
    m_settle.SetEnabled(false);
    Refresh();
  };
}

TPortWatch::~TPortWatch() = default;

void TPortWatch::Restart() {
  m_watch = std::make_unique<THotplugWatch>(m_ports.DeviceTree().WatchFolders());
  m_watch->OnChange = [this](const std::vector<THotplugChange>& changes) {
    if (std::any_of(changes.begin(), changes.end(), ConcernsSerialPorts)) m_settle.SetEnabled(true);
  };
  m_present.clear();
  Refresh();
}

void TPortWatch::Refresh() {
  const TDeviceTree tree = m_ports.DeviceTree();
  const SerialDevice* open = m_ports.Device();
  AssignComNumbers(tree, [&](const TTtyDevice& device) {
    return open != nullptr && SameDevice(open->Fd(), tree.HostPath(device.DevicePath));
  });
  m_ports.RefreshDeviceList();
  const TDeviceList& present = m_ports.DeviceList();
  std::vector<int> numbers;
  TPortChange change;
  for (int i = 0; i < present.Count(); ++i) {
    const int portNo = present[i].PortNumber;
    numbers.push_back(portNo);
    const bool onBoard = BuiltInComNumber(present[i].DevicePath) == portNo;
    if (!onBoard && std::find(m_present.begin(), m_present.end(), portNo) == m_present.end()) {
      change.Arrived.push_back(portNo);
    }
  }
  m_present = std::move(numbers);
  if (OnChange) OnChange(change);
}

std::optional<TTtyDevice> TPortWatch::DeviceOf(unsigned portNo) const {
  const TDeviceTree tree = m_ports.DeviceTree();
  const TDeviceList& list = m_ports.DeviceList();
  const int index = list.IndexOfPort(static_cast<int>(portNo));
  if (index >= 0 && list[index].OpenName.starts_with('/')) return tree.DeviceAt(list[index].DevicePath);
  return tree.ComPortDevice(portNo);
}

TTtyDetails TPortWatch::Details(const TTtyDevice& device) const { return m_ports.DeviceTree().Details(device); }

std::vector<TPortHolder> TPortWatch::Holders(const TTtyDevice& device) const {
  return PortHolders(m_ports.DeviceTree().HostPath(device.DevicePath));
}

}  // namespace kurvex
