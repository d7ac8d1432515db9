// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kurvex {

/// The setups used last, newest first, at most kCount: the only thing the
/// program keeps between runs, in a file of the state folder that is
/// written only once a setup was opened or saved.
class TRecentSetups {
 public:
  static constexpr std::size_t kCount = 8;

  /// Reads the list kept in `file`; none when it is not there.
  explicit TRecentSetups(std::filesystem::path file);
  const std::vector<std::string>& Paths() const { return m_paths; }
  /// `path` first, once; the oldest beyond kCount goes. Kept at once.
  void Use(const std::string& path);
  /// `path` goes from the list (a setup that can no longer be opened).
  void Forget(const std::string& path);

 private:
  void Keep() const;

  std::filesystem::path m_file;
  std::vector<std::string> m_paths;
};

}  // namespace kurvex
