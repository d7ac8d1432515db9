// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "ports/devicetree.h"

namespace kurvex {

/// The COM number that reaches `device` — a stable device name such as
/// "/dev/serial/by-id/usb-FTDI_…-port0" or a device path such as
/// "/dev/ttyUSB0" — through its port link or as an on-board ttyS port;
/// none when no number does (the device is not there, or has no number).
std::optional<unsigned> ComNumberReaching(const TDeviceTree& tree, const std::string& device);

/// The stable name of the device COM<comNumber> reaches: its
/// /dev/serial/by-id link; empty when it has none or nothing is there.
std::string StableDeviceName(const TDeviceTree& tree, unsigned comNumber);

}  // namespace kurvex
