// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace kurvex::bench {

/// The real program (kurvex-driven), driven through its standard input and
/// output.
class KurvexProcess {
 public:
  /// Starts `binary` with the given extra environment ("NAME=value"), on
  /// processor `cpu` alone when it is 0 or more.
  KurvexProcess(const std::string& binary, const std::vector<std::string>& environment, int cpu = -1);
  /// Asks the window to close and reaps the process (killed if it hangs).
  ~KurvexProcess();
  KurvexProcess(const KurvexProcess&) = delete;
  KurvexProcess& operator=(const KurvexProcess&) = delete;

  pid_t Pid() const { return m_pid; }
  /// Sends one command and returns its answer; throws after `timeoutMs`.
  /// Commands are run by the window's loop, so the time to the answer is how
  /// long the window took to respond.
  std::string Ask(const std::string& command, int timeoutMs = 30000);
  /// The window's sample count.
  long long Count();

 private:
  pid_t m_pid = -1;
  int m_toChild = -1;
  int m_fromChild = -1;
  std::string m_pending;  // answer bytes read past the last line end
};

}  // namespace kurvex::bench
