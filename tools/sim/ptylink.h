// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

#include "tools/pty/pseudoterminal.h"

namespace kurvex::sim {

/// A pseudo-terminal whose slave is linked as COM<n> in the port folder.
/// The master is nonblocking; the slave is set raw and then closed, so the
/// master shows a hang-up whenever no client has the port open. The link is
/// removed on destruction if it still points at this pty.
class PtyLink {
 public:
  /// Opens the pty and creates the link (and the port folder). A link left
  /// behind by an earlier run (to a /dev/pts entry that is gone) is replaced;
  /// any other existing COM<n> is left alone and Error() says why.
  explicit PtyLink(unsigned portNo);
  ~PtyLink();
  PtyLink(const PtyLink&) = delete;
  PtyLink& operator=(const PtyLink&) = delete;

  /// Empty when the pty is open and linked.
  const std::string& Error() const { return m_error; }
  int Master() const { return m_pty.Master(); }
  const std::string& SlavePath() const { return m_pty.SlavePath(); }
  const std::filesystem::path& LinkPath() const { return m_link; }

 private:
  bool CreateLink();

  TPseudoTerminal m_pty;
  std::filesystem::path m_link;
  bool m_linked = false;
  std::string m_error;
};

/// Writes what the descriptor takes from the front of `pending`; the rest
/// waits there for room.
void FlushPending(int fd, std::string& pending);

}  // namespace kurvex::sim
