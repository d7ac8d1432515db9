// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kurvex {

/// One entry that came or went in a watched folder.
struct THotplugChange {
  std::filesystem::path Folder;  ///< the watched folder; empty after lost events
  /// The entry's name; empty when the folder itself appeared or events were
  /// lost, so that anything in it may have changed.
  std::string Name;
  bool Arrived = false;  ///< created or moved in; false: removed or moved out
};

/// Watches folders for entries that come and go (devices in /dev, links in
/// the port folder) and reports them on the GUI thread. A folder that does
/// not exist yet, or is removed, is waited for: its appearance is reported
/// as a change without a name. One reader thread per watch; changes that
/// arrive while a report is still queued join that report.
/// Create, destroy and assign OnChange on the GUI thread (the application
/// object must exist).
class THotplugWatch {
 public:
  explicit THotplugWatch(std::vector<std::filesystem::path> folders);
  ~THotplugWatch();
  THotplugWatch(const THotplugWatch&) = delete;
  THotplugWatch& operator=(const THotplugWatch&) = delete;

  /// False when the system gave no inotify instance; then nothing is reported.
  bool Watching() const;

  /// The changes since the previous call, in arrival order. GUI thread.
  std::function<void(const std::vector<THotplugChange>& changes)> OnChange;

 private:
  struct Reader;
  std::unique_ptr<Reader> m_reader;
};

}  // namespace kurvex
