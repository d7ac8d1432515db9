// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <string>

namespace kurvex::bench {

/// A private Xvfb on a free display number, ended with the object.
class XServer {
 public:
  /// Starts Xvfb if it is installed; Running() tells whether it came up.
  XServer();
  ~XServer();
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;

  bool Running() const { return m_pid > 0; }
  pid_t Pid() const { return m_pid; }
  /// ":<n>", for DISPLAY.
  const std::string& Display() const { return m_display; }

 private:
  pid_t m_pid = -1;
  std::string m_display;
};

}  // namespace kurvex::bench
