// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "platform/system/hotplugwatch.h"
#include "ports/devicelist.h"
#include "ports/devicetree.h"

namespace kurvex {

/// The serial ports of `tree` as device list entries: first the ports with a
/// COM number by n (the `COM<n>` links, and the on-board ports /dev/ttyS<n-1>
/// that no link of their number hides), then each device no COM number
/// reaches, numbered kFirstUnnamedPortNumber and up. With epQuickAll the entries hold
/// names only; epFullInfo adds what sysfs and udev know of the device (and
/// the caption names its description); epFullPresent also leaves out links
/// that lead nowhere and devices without a node. Every link that leads to
/// a device gets that device's details. Owner and ListIndex are left unset.
std::vector<TSerialDevice> ScanSerialPorts(const TDeviceTree& tree, TEnumPorts mode);

/// Whether a change in a watched folder may change the port list: a
/// `COM<n>` link, a tty node, a pseudo-terminal, a by-id link, a udev
/// database entry of a character device, or anything after lost events.
bool ConcernsSerialPorts(const THotplugChange& change);

}  // namespace kurvex
