// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/system/hotplugwatch.h"
#include "platform/windows/timer.h"
#include "ports/portholders.h"
#include "ports/portlistholder.h"

namespace kurvex {

/// What one refresh of the port list found.
struct TPortChange {
  /// Port numbers of present devices that the refresh before did not list
  /// (at the first refresh: all of them), in list order. On-board ports
  /// are part of the machine and never arrive.
  std::vector<int> Arrived;
};

/// Keeps the port list of `ports` current: watches the folders where devices
/// and port links come and go, gives new USB adapters their COM numbers,
/// has the list rebuilt and says what changed. Answers what a port number
/// leads to. GUI thread; the application object must exist.
class TPortWatch {
 public:
  explicit TPortWatch(TPortListHolder& ports);
  ~TPortWatch();
  TPortWatch(const TPortWatch&) = delete;
  TPortWatch& operator=(const TPortWatch&) = delete;

  /// Watches the holder's device tree from now on (call it again when the
  /// tree changes) and refreshes, as a first refresh.
  void Restart();
  /// Numbers new USB adapters (never the device the holder has open: it keeps
  /// the name it was opened by), rebuilds the list and calls OnChange.
  void Refresh();

  /// The device `COM<portNo>` opens: a device without a COM number by the
  /// path of its list entry, any other through the device tree; empty when
  /// there is none.
  std::optional<TTtyDevice> DeviceOf(unsigned portNo) const;
  TTtyDetails Details(const TTtyDevice& device) const;
  /// The other programs that hold `device` open.
  std::vector<TPortHolder> Holders(const TTtyDevice& device) const;

  /// After every refresh.
  std::function<void(const TPortChange& change)> OnChange;

 private:
  TPortListHolder& m_ports;
  std::unique_ptr<THotplugWatch> m_watch;
  /// A burst of changes (an adapter and its links, or the pseudo-terminals
  /// a terminal program makes) is one refresh once it settles: a refresh
  /// reads the whole device tree.
  TTimer m_settle;
  /// Port numbers of the present devices at the last refresh.
  std::vector<int> m_present;
};

}  // namespace kurvex
