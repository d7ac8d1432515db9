// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/window/kurvexprocess.h"

#include "bench/window/busyloops.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace kurvex::bench {

KurvexProcess::KurvexProcess(const std::string& binary, const std::vector<std::string>& environment, int cpu) {
  int in[2], out[2];
  if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
  m_pid = fork();
  if (m_pid < 0) throw std::runtime_error("fork");
  if (m_pid == 0) {
    dup2(in[0], STDIN_FILENO);
    dup2(out[1], STDOUT_FILENO);
    for (const std::string& entry : environment) putenv(const_cast<char*>(entry.c_str()));
    if (cpu >= 0) PinToCpu(cpu);
    execl(binary.c_str(), binary.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  m_toChild = in[1];
  m_fromChild = out[0];
}

KurvexProcess::~KurvexProcess() {
  if (m_toChild >= 0) {
    const std::string quit = "quit\n";
    [[maybe_unused]] const ssize_t n = write(m_toChild, quit.data(), quit.size());
    close(m_toChild);
  }
  for (int i = 0; i < 100; ++i) {
    if (waitpid(m_pid, nullptr, WNOHANG) == m_pid) {
      close(m_fromChild);
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  kill(m_pid, SIGKILL);
  waitpid(m_pid, nullptr, 0);
  close(m_fromChild);
}

std::string KurvexProcess::Ask(const std::string& command, int timeoutMs) {
  const std::string line = command + "\n";
  if (write(m_toChild, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
    throw std::runtime_error("kurvex does not take commands");
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    const std::size_t end = m_pending.find('\n');
    if (end != std::string::npos) {
      std::string answer = m_pending.substr(0, end);
      m_pending.erase(0, end + 1);
      return answer;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd fd{m_fromChild, POLLIN, 0};
    if (left.count() <= 0 || poll(&fd, 1, static_cast<int>(left.count())) <= 0)
      throw std::runtime_error("kurvex gave no answer to '" + command + "'");
    char buffer[256];
    const ssize_t got = read(m_fromChild, buffer, sizeof buffer);
    if (got <= 0) throw std::runtime_error("kurvex ended");
    m_pending.append(buffer, static_cast<std::size_t>(got));
  }
}

long long KurvexProcess::Count() { return std::stoll(Ask("count")); }

}  // namespace kurvex::bench
