// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/setups/recentsetups.h"
#include "app/setuppart.h"
#include "platform/windows/form.h"
#include "platform/windows/menu.h"

namespace kurvex {

/// Measurement setups ("Messaufbau", .kxs): saved from and opened into the
/// window, each feature contributing its part; the setups used last in a
/// submenu; the window's title names the setup shown. GUI thread only.
class TSetupFeature {
 public:
  /// Whether an acquisition runs: no setup opens meanwhile.
  using TAcquiring = std::function<bool()>;

  /// `recentMenu`: the submenu of the setups used last, whose items this
  /// object makes. `parts` apply in their order and must outlive it.
  TSetupFeature(TForm& window, TMenuItem& recentMenu, std::vector<TSetupPart*> parts, TAcquiring acquiring);

  /// "Messaufbau öffnen…": a setup the user chooses.
  void OpenChosen();
  /// Opens the setup in `path` into the window; false (with the user told
  /// why) when nothing was applied: while acquiring, or a file that is no
  /// readable setup. Entries with a bad value are skipped and named.
  bool Open(const std::string& path);
  /// "Messaufbau speichern…": the window's setup into a file the user chooses.
  void SaveChosen();
  /// The setup the window shows, as a save writes it.
  TSetup Collect() const;

 private:
  /// The window shows the setup in `path`: its title, the first of the recent ones.
  void ShowSetup(const std::string& path);
  void ShowRecent();

  TForm& m_window;
  TMenuItem& m_recentMenu;
  std::vector<TSetupPart*> m_parts;
  TAcquiring m_acquiring;
  TRecentSetups m_recent;
  /// The file of the setup shown, for the title and the next save dialog.
  std::optional<std::string> m_path;
};

}  // namespace kurvex
