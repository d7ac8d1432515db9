// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/system/serialdevice.h"
#include "ports/devicelist.h"
#include "ports/devicetree.h"

namespace kurvex {

/// What a port list's keeper needs of the component that holds the list
/// (the serial component): where it looks for ports, the port it has open,
/// and the list itself. The component's thread (the GUI thread).
class TPortListHolder {
 public:
  virtual ~TPortListHolder() = default;

  /// Where the ports are looked for.
  virtual TDeviceTree DeviceTree() const = 0;
  /// The device the component has open; null while closed.
  virtual const SerialDevice* Device() const = 0;
  /// Builds the list anew from the device tree.
  virtual void RefreshDeviceList() = 0;
  virtual const TDeviceList& DeviceList() const = 0;
};

}  // namespace kurvex
