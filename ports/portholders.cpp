// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/portholders.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace kurvex {

namespace fs = std::filesystem;

namespace {

std::optional<int> ProcessId(const std::string& name) {
  int pid = 0;
  const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
  if (error != std::errc() || end != name.data() + name.size()) return std::nullopt;
  return pid;
}

bool HasOpen(const fs::path& process, const fs::path& device) {
  std::error_code error;
  for (const fs::directory_entry& fd : fs::directory_iterator(process / "fd", error)) {
    std::error_code linkError;
    if (fs::read_symlink(fd.path(), linkError) == device) return true;
  }
  return false;
}

}  // namespace

std::vector<TPortHolder> PortHolders(const std::string& hostPath) {
  std::error_code error;
  const fs::path device = fs::canonical(hostPath, error);
  std::vector<TPortHolder> holders;
  if (error) return holders;
  // /proc/self names this process's own folder.
  const std::optional<int> self = ProcessId(fs::read_symlink("/proc/self", error).string());
  for (const fs::directory_entry& process : fs::directory_iterator("/proc", error)) {
    const std::optional<int> pid = ProcessId(process.path().filename().string());
    if (!pid || *pid == self || !HasOpen(process.path(), device)) continue;
    std::string program;
    std::getline(std::ifstream(process.path() / "comm"), program);
    holders.push_back({*pid, program});
  }
  std::sort(holders.begin(), holders.end(),
            [](const TPortHolder& a, const TPortHolder& b) { return a.Pid < b.Pid; });
  return holders;
}

}  // namespace kurvex
