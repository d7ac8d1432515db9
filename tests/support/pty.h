// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/tempfolder.h"
#include "tools/pty/pseudoterminal.h"

namespace kurvex::test {

/// A pseudo-terminal pair. The test plays the instrument on the master
/// (nonblocking); the slave stays open so the pty lives on while the code
/// under test opens and closes it by path.
class PtyPair {
 public:
  PtyPair();

  int Master() const { return m_pty.Master(); }
  int Slave() const { return m_pty.Slave(); }
  const std::string& SlavePath() const { return m_pty.SlavePath(); }

  /// Closes the master, as if the device was pulled: the slave hangs up.
  void CloseMaster() { m_pty.CloseMaster(); }
  /// Writes all of `bytes` to the master.
  void WriteMaster(const std::string& bytes);
  /// The instrument at full speed: writes `block` again and again, as fast
  /// as the master takes it, until `keepOn` turns false (also when nobody
  /// reads). Run it on a thread of its own.
  void FloodMaster(const std::string& block, const std::atomic<bool>& keepOn);
  /// Reads from the master until `count` bytes came or `timeoutMs` passed.
  std::string ReadMaster(std::size_t count, int timeoutMs = 1000);
  /// Bytes written to the master that the slave side has not read.
  std::size_t SlaveInputQueued() const;

 private:
  TPseudoTerminal m_pty;
};

/// Points XDG_CONFIG_HOME and XDG_DATA_HOME at fresh temporary folders for
/// the object's lifetime, so port links, stored values and recordings stay
/// inside the test.
class TempConfigHome {
 public:
  TempConfigHome();
  ~TempConfigHome();
  TempConfigHome(const TempConfigHome&) = delete;
  TempConfigHome& operator=(const TempConfigHome&) = delete;

  /// XDG_CONFIG_HOME
  std::filesystem::path Dir() const { return m_folder.Path("config"); }
  /// XDG_DATA_HOME
  std::filesystem::path DataDir() const { return m_folder.Path("data"); }
  /// XDG_STATE_HOME
  std::filesystem::path StateDir() const { return m_folder.Path("state"); }

 private:
  struct SavedVariable {
    const char* name;
    std::string value;
    bool present;
  };
  TempFolder m_folder;
  std::vector<SavedVariable> m_saved;
};

/// Creates the link COM<portNo> → `target` in the port folder.
void LinkComPort(unsigned portNo, const std::string& target);

}  // namespace kurvex::test
