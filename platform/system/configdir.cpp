// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/configdir.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace kurvex {

std::filesystem::path HomeDirectory() {
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
    return home;
  }
  // A service started without HOME still has a password entry.
  if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr) {
    return entry->pw_dir;
  }
  return "/";
}

namespace {

// The base directory rules ignore a relative path in the variable.
std::filesystem::path BaseDirectory(const char* variable, const char* homeRelative) {
  if (const char* xdg = std::getenv(variable); xdg != nullptr && xdg[0] == '/') return xdg;
  return HomeDirectory() / homeRelative;
}

}  // namespace

std::filesystem::path ConfigDirectory() { return BaseDirectory("XDG_CONFIG_HOME", ".config") / "kurvex"; }

std::filesystem::path DataDirectory() { return BaseDirectory("XDG_DATA_HOME", ".local/share") / "kurvex"; }

std::filesystem::path StateDirectory() { return BaseDirectory("XDG_STATE_HOME", ".local/state") / "kurvex"; }

}  // namespace kurvex
