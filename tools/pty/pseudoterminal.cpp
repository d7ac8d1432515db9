// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/pty/pseudoterminal.h"

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kurvex {

TPseudoTerminal::TPseudoTerminal() {
  char name[256] = {};
  if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
    m_error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
    m_master = m_slave = -1;
    return;
  }
  m_slavePath = name;
  termios raw{};
  tcgetattr(m_slave, &raw);
  cfmakeraw(&raw);
  tcsetattr(m_slave, TCSANOW, &raw);
  fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
  fcntl(m_master, F_SETFD, FD_CLOEXEC);
  fcntl(m_slave, F_SETFD, FD_CLOEXEC);
}

TPseudoTerminal::~TPseudoTerminal() {
  CloseSlave();
  CloseMaster();
}

void TPseudoTerminal::CloseSlave() {
  if (m_slave >= 0) close(m_slave);
  m_slave = -1;
}

void TPseudoTerminal::CloseMaster() {
  if (m_master >= 0) close(m_master);
  m_master = -1;
}

}  // namespace kurvex
