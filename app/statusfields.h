// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kurvex {

/// The panels of the main window's status bar, left to right.
enum class TStatusField {
  SampleCount,   ///< samples of the acquisition
  Port,          ///< where the port field's COM number leads, or why it did not open
  InputNotices,  ///< invalid lines, input overload, bytes the driver dropped
  Recording,     ///< the recording's file and rows
};

}  // namespace kurvex
