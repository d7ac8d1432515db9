// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/setups/recentsetups.h"

#include <algorithm>
#include <fstream>

#include "platform/system/replacefile.h"

namespace kurvex {

TRecentSetups::TRecentSetups(std::filesystem::path file) : m_file(std::move(file)) {
  std::ifstream in(m_file);
  for (std::string line; m_paths.size() < kCount && std::getline(in, line);)
    if (line.starts_with('/') && std::find(m_paths.begin(), m_paths.end(), line) == m_paths.end())
      m_paths.push_back(line);
}

void TRecentSetups::Use(const std::string& path) {
  // The list keeps one path a line.
  if (path.find('\n') != std::string::npos) return;
  std::erase(m_paths, path);
  m_paths.insert(m_paths.begin(), path);
  if (m_paths.size() > kCount) m_paths.resize(kCount);
  Keep();
}

void TRecentSetups::Forget(const std::string& path) {
  if (std::erase(m_paths, path) > 0) Keep();
}

void TRecentSetups::Keep() const {
  std::string text;
  for (const std::string& path : m_paths) text += path + "\n";
  std::error_code ignored;  // a list that cannot be kept is no reason to bother the user
  std::filesystem::create_directories(m_file.parent_path(), ignored);
  ReplaceFileContents(m_file.string(), text);
}

}  // namespace kurvex
