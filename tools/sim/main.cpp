// SPDX-License-Identifier: GPL-3.0-or-later
// kurvex-sim: an instrument on a pseudo-terminal, linked as a COM port.

#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "tools/sim/answerer.h"
#include "tools/sim/options.h"
#include "tools/sim/ptylink.h"
#include "tools/sim/streamer.h"

namespace {

// The stop signals are taken by a thread of their own with sigwait, not by
// a handler: the loops see a plain atomic flag, and no signal depends on
// how a handler gets delivered (a thread-sanitized build defers handlers
// and has been seen to lose one).
class StopSignals {
 public:
  StopSignals() {
    sigemptyset(&m_signals);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&m_signals, signal);
    // Blocked before the waiter exists, so it and this thread inherit it.
    pthread_sigmask(SIG_BLOCK, &m_signals, nullptr);
    m_waiter = std::thread([this] {
      int signal = 0;
      sigwait(&m_signals, &signal);
      m_stop = true;
    });
  }
  ~StopSignals() {
    // Ends the wait when no signal came (after one it has ended already).
    pthread_kill(m_waiter.native_handle(), SIGTERM);
    m_waiter.join();
  }
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  const std::atomic<bool>& Stop() const { return m_stop; }

 private:
  sigset_t m_signals;
  std::atomic<bool> m_stop{false};
  std::thread m_waiter;
};

}  // namespace

int main(int argc, char** argv) {
  using namespace kurvex::sim;
  const ParseResult parsed = ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (const auto* problem = std::get_if<std::string>(&parsed)) {
    std::fprintf(stderr, "kurvex-sim: %s\n%s", problem->c_str(), Usage().c_str());
    return 2;
  }
  const Options& options = std::get<Options>(parsed);
  if (options.Help) {
    std::fputs(Usage().c_str(), stdout);
    return 0;
  }

  // Taken before the link exists, so no signal can leave it behind.
  const StopSignals signals;

  PtyLink link(options.Port);
  if (!link.Error().empty()) {
    std::fprintf(stderr, "kurvex-sim: %s\n", link.Error().c_str());
    return 1;
  }
  std::printf("kurvex-sim: COM%u -> %s (%s)\n", options.Port, link.SlavePath().c_str(),
              link.LinkPath().c_str());
  std::fflush(stdout);

  if (options.Answer) {
    const AnswerResult answered = AnswerQueries(options, link.Master(), signals.Stop());
    std::printf("kurvex-sim: %llu values answered, %llu unknown commands\n",
                static_cast<unsigned long long>(answered.Samples),
                static_cast<unsigned long long>(answered.Unknown));
    return 0;
  }
  const StreamResult result = Stream(options, link.Master(), signals.Stop());
  std::printf("kurvex-sim: %llu lines, %llu dropped (port closed or full)\n",
              static_cast<unsigned long long>(result.Lines),
              static_cast<unsigned long long>(result.Dropped));
  return 0;
}
