// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/window/xserver.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace kurvex::bench {

namespace {

constexpr const char* kXvfb = "/usr/bin/Xvfb";

bool DisplayFree(int n) {
  const std::string number = std::to_string(n);
  return !std::filesystem::exists("/tmp/.X11-unix/X" + number) &&
         !std::filesystem::exists("/tmp/.X" + number + "-lock");
}

}  // namespace

XServer::XServer() {
  if (access(kXvfb, X_OK) != 0) return;
  int n = 90;
  while (n < 190 && !DisplayFree(n)) ++n;
  m_display = ":" + std::to_string(n);
  const pid_t pid = fork();
  if (pid < 0) return;
  if (pid == 0) {
    execl(kXvfb, kXvfb, m_display.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
          static_cast<char*>(nullptr));
    _exit(127);
  }
  const std::string socket = "/tmp/.X11-unix/X" + std::to_string(n);
  for (int i = 0; i < 200; ++i) {
    if (std::filesystem::exists(socket)) {
      m_pid = pid;
      return;
    }
    if (waitpid(pid, nullptr, WNOHANG) == pid) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
}

XServer::~XServer() {
  if (m_pid <= 0) return;
  kill(m_pid, SIGTERM);
  waitpid(m_pid, nullptr, 0);
}

}  // namespace kurvex::bench
