// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <vector>

#include "ports/devicetree.h"

namespace kurvex {

/// The first number given to a USB serial device; COM1 and COM2 stay for
/// on-board ports.
inline constexpr unsigned kFirstAssignedComPort = 3;

/// Gives every present USB serial device that no `COM<n>` link reaches the
/// lowest free number from kFirstAssignedComPort up, as a link `COM<n>` in
/// the port folder to its /dev/serial/by-id name (its device path when it
/// has none), so that the adapter finds its number again on the next
/// plug-in. A number is free when no entry of that name is in the port
/// folder and no on-board port answers to it. Devices udev is still busy
/// with wait, as does every device `inUse` names (a port an acquisition has
/// open). Existing links are never changed. The links made, by number.
std::vector<TComLink> AssignComNumbers(const TDeviceTree& tree,
                                       const std::function<bool(const TTtyDevice&)>& inUse);

}  // namespace kurvex
