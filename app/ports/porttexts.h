// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "ports/portholders.h"
#include "ports/devicelist.h"

namespace kurvex {

/// "FTDI FT232R USB UART": maker and product, without the maker twice when
/// the product name already starts with it; empty when neither is known.
std::string DeviceLabel(const std::string& manufacturer, const std::string& description);

/// The port field's item for a present port: number, what it is and where,
/// "5 – FTDI FT232R USB UART (/dev/ttyUSB0)". It starts with the number, so
/// LeadingInteger reads the port number from it.
std::string PortChoiceText(const TSerialDevice& port);

/// The port field's list: the ports of `present` as PortChoiceText, by
/// number, then the numbers 0 … 20 that none of them has.
std::vector<std::string> PortChoiceItems(const TDeviceList& present);

/// Why `COM<portNo>` did not open, for the status bar: from the errno value
/// of the failed open, whether the number leads to a device at all, and the
/// programs that hold the port.
std::string OpenFailureText(unsigned portNo, int error, bool deviceThere,
                            const std::vector<TPortHolder>& holders);

}  // namespace kurvex
