// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/window/wakeprobe.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace kurvex::bench {

double MicrosecondsPerPageAfter(std::chrono::milliseconds pause) {
  constexpr std::size_t kPage = 4096, kPages = 256;
  constexpr int kRounds = 21;
  std::vector<unsigned char> memory(kPage * kPages, 1);
  std::vector<double> perPage;
  volatile unsigned sink = 0;
  for (int round = 0; round < kRounds; ++round) {
    std::this_thread::sleep_for(pause);
    const auto start = std::chrono::steady_clock::now();
    unsigned sum = 0;
    for (std::size_t at = 0; at < memory.size(); at += kPage) sum += memory[at];
    const auto took = std::chrono::steady_clock::now() - start;
    sink = sink + sum;
    perPage.push_back(std::chrono::duration<double, std::micro>(took).count() / kPages);
  }
  std::nth_element(perPage.begin(), perPage.begin() + kRounds / 2, perPage.end());
  return perPage[kRounds / 2];
}

}  // namespace kurvex::bench
