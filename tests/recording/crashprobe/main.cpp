// SPDX-License-Identifier: GPL-3.0-or-later
// Records samples through the recording module at an instrument's pace
// until it is killed; the crash test reads the file afterwards.
// Usage: recording_crash_probe <recording.csv> <state file>
// The state file (made by the caller, at least 24 bytes) receives, as
// three int64 values: the monotonic time of Start, the number of samples
// handed to the recorder and the monotonic time of the last one.

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "recording/recorder.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <recording.csv> <state file>\n", argv[0]);
    return 2;
  }
  const int fd = ::open(argv[2], O_RDWR);
  void* shared = fd < 0 ? MAP_FAILED : ::mmap(nullptr, 4096, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  if (shared == MAP_FAILED) {
    std::perror(argv[2]);
    return 1;
  }
  auto* state = static_cast<std::atomic<std::int64_t>*>(shared);
  kurvex::TRecorder recorder;
  const kurvex::TReadTime start = kurvex::TReadTime::Now();
  recorder.Start(argv[1], kurvex::cdComma, start);
  state[0] = start.SteadyNs;
  for (std::int64_t n = 1;; ++n) {
    const kurvex::TReadTime now = kurvex::TReadTime::Now();
    recorder.Add(n, now, static_cast<float>(n), static_cast<float>(n) * 2);
    state[2] = now.SteadyNs;
    state[1] = n;
    std::this_thread::sleep_for(std::chrono::microseconds(500));
  }
}
