// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace kurvex::test {

/// A fresh temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kurvex-test-XXXXXX").string();
    m_dir = ::mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~TempFolder() {
    std::error_code ignored;
    // A test may have taken the write permission away to provoke failures.
    std::filesystem::permissions(m_dir, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(m_dir, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string Path(const std::string& name) const { return m_dir + "/" + name; }
  const std::string& Dir() const { return m_dir; }

 private:
  std::string m_dir;
};

}  // namespace kurvex::test
