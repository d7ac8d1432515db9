// kurvex-sim: an instrument on a pseudo-terminal, linked as a COM port.

#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "tools/sim/options.h"
#include "tools/sim/ptylink.h"
#include "tools/sim/streamer.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;

void RequestStop(int) { g_stop = 1; }

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

  // Installed before the link exists, so no signal can leave it behind.
  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigemptyset(&action.sa_mask);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    sigaction(signal, &action, nullptr);
  }

  PtyLink link(options.Port);
  if (!link.Error().empty()) {
    std::fprintf(stderr, "kurvex-sim: %s\n", link.Error().c_str());
    return 1;
  }
  std::printf("kurvex-sim: COM%u -> %s (%s)\n", options.Port, link.SlavePath().c_str(),
              link.LinkPath().c_str());
  std::fflush(stdout);

  const StreamResult result = Stream(options, link.Master(), g_stop);
  // Closing the master discards what the client has not read yet: give it a
  // moment to take the last lines. The queue must stay empty for a while,
  // since bytes still on their way through the pty do not show in it yet.
  using Clock = std::chrono::steady_clock;
  const Clock::time_point giveUp = Clock::now() + std::chrono::seconds(1);
  Clock::time_point emptySince = Clock::now();
  while (g_stop == 0 && Clock::now() < giveUp) {
    if (link.Unread() > 0) {
      emptySince = Clock::now();
    } else if (Clock::now() - emptySince >= std::chrono::milliseconds(50)) {
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  std::printf("kurvex-sim: %llu lines, %llu dropped while nobody read\n",
              static_cast<unsigned long long>(result.Lines),
              static_cast<unsigned long long>(result.Dropped));
  return 0;
}
