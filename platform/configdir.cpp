#include "platform/configdir.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace kurvex {

namespace {

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

}  // namespace

std::filesystem::path ConfigDirectory() {
  // The base directory rules ignore a relative XDG_CONFIG_HOME.
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] == '/') {
    return std::filesystem::path(xdg) / "kurvex";
  }
  return HomeDirectory() / ".config" / "kurvex";
}

}  // namespace kurvex
