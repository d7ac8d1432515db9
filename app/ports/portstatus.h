// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

#include "intake/intakestate.h"
#include "platform/windows/combobox.h"
#include "platform/windows/statusbar.h"
#include "ports/portwatch.h"
#include "serial/serialcomm.h"

namespace kurvex {

/// Where the port field's COM number leads: status bar panel 1, and the
/// port field's items kept current as devices and port links come and go.
/// It watches the ports of `comm` from its construction on. GUI thread only.
class TPortStatus {
 public:
  TPortStatus(TSerialComm& comm, TComboBox& portField, TStatusPanel& panel);
  TPortStatus(const TPortStatus&) = delete;
  TPortStatus& operator=(const TPortStatus&) = delete;

  /// Panel 1 := where the port field's COM number leads, e.g.
  /// "COM5 → /dev/ttyUSB0 (FTDI FT232R USB UART)" or "COM5: kein Gerät",
  /// and while the port is open its speed and data format, " · 9600 7E1",
  /// and the line end once decided. Information only: the port still
  /// opens as "COM<n>".
  void Show();
  /// Panel 1 := why the last open of the port failed; nothing when it opened.
  void ShowOpenFailure();
  /// Start, with the port open: no line end is decided yet.
  void StartAcquisition();
  /// Every received line: the panel follows the line end decided, not every line.
  void ShowLineEnd(TLineEnd lineEnd) {
    if (lineEnd == m_lineEndShown) return;
    m_lineEndShown = lineEnd;
    Show();
  }
  /// Where the ports are looked for (the running system until set); the
  /// watch and the port field follow it at once.
  void SetDeviceTree(TDeviceTree tree);

 private:
  /// The port field's items from the port list; a device that arrives
  /// while the field names nothing present is chosen.
  void ShowChoices(const TPortChange& change);
  /// The port field's entry for `portNo` shows what is there: the number
  /// alone once its device is gone, the entry again when it comes back.
  void ShowTruth(std::uint16_t portNo);

  TSerialComm& m_comm;
  TComboBox& m_portField;
  TStatusPanel& m_panel;
  /// Keeps the port list current as devices and port links come and go.
  TPortWatch m_watch;
  /// The port whose entry the port field last gave up because its device went.
  std::optional<std::uint16_t> m_entryGone;
  /// The line end the panel shows while the port is open.
  TLineEnd m_lineEndShown = leUndecided;
};

}  // namespace kurvex
