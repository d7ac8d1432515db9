// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace kurvex {

/// The wait of the GUI thread for work on another thread, the windows kept
/// drawing meanwhile. GUI thread only.
class ProgressWindows {
 public:
  virtual ~ProgressWindows() = default;
  /// Runs the event loop until `done()` holds. Work that takes longer than
  /// about half a second gets a window: `caption` in its title bar, `text`
  /// over a progress bar at `fraction()` (0 to 1) and an "Abbrechen"
  /// button. False when the user cancelled; the caller then stops the work.
  virtual bool Wait(const std::string& caption, const std::string& text, const std::function<double()>& fraction,
                    const std::function<bool()>& done) = 0;
};

/// An application-modal progress window. Before it shows, input waits: a
/// click meant for the window behind is handled once the work is done.
class QtProgressWindows : public ProgressWindows {
 public:
  bool Wait(const std::string& caption, const std::string& text, const std::function<double()>& fraction,
            const std::function<bool()>& done) override;
};

/// The process-wide progress windows (QtProgressWindows unless replaced).
ProgressWindows& TheProgressWindows();
/// Replaces them and returns the previous instance; null restores the default.
std::unique_ptr<ProgressWindows> SetProgressWindows(std::unique_ptr<ProgressWindows> windows);

}  // namespace kurvex
