// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kurvex {

/// A pseudo-terminal for playing an instrument: the master is nonblocking and
/// not inherited by child processes, the slave line is raw (so a client that
/// does not configure it still reads bytes unchanged: the settings stay with
/// the pty while the master is open).
class TPseudoTerminal {
 public:
  /// Opens the pair; Error() says why when it could not.
  TPseudoTerminal();
  ~TPseudoTerminal();
  TPseudoTerminal(const TPseudoTerminal&) = delete;
  TPseudoTerminal& operator=(const TPseudoTerminal&) = delete;

  /// Empty when the pair is open.
  const std::string& Error() const { return m_error; }
  int Master() const { return m_master; }
  /// -1 once closed.
  int Slave() const { return m_slave; }
  /// The path a client opens, e.g. /dev/pts/4.
  const std::string& SlavePath() const { return m_slavePath; }

  /// Without our slave open, the master shows a hang-up whenever no client
  /// has the port open.
  void CloseSlave();
  /// As if the device was pulled: the slave side hangs up.
  void CloseMaster();

 private:
  int m_master = -1;
  int m_slave = -1;
  std::string m_slavePath;
  std::string m_error;
};

}  // namespace kurvex
