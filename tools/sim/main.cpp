// SPDX-License-Identifier: GPL-3.0-or-later
// kurvex-sim: an instrument on a pseudo-terminal, linked as a COM port.

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/sim/answerer.h"
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

  if (options.Answer) {
    const AnswerResult answered = AnswerQueries(options, link.Master(), g_stop);
    std::printf("kurvex-sim: %llu values answered, %llu unknown commands\n",
                static_cast<unsigned long long>(answered.Samples),
                static_cast<unsigned long long>(answered.Unknown));
    return 0;
  }
  const StreamResult result = Stream(options, link.Master(), g_stop);
  std::printf("kurvex-sim: %llu lines, %llu dropped (port closed or full)\n",
              static_cast<unsigned long long>(result.Lines),
              static_cast<unsigned long long>(result.Dropped));
  return 0;
}
