#include "app/testhook.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>

#include "app/mainwindow.h"
#include "platform/system/dispatcher.h"

namespace kurvex {

namespace {

void Answer(const std::string& text) {
  std::fputs((text + "\n").c_str(), stdout);
  std::fflush(stdout);
}

// Frames the chart drew, and the longest time between two of them, since
// the last "frames" command. GUI thread.
struct FrameWatch {
  using Clock = std::chrono::steady_clock;
  long long Count = 0;
  Clock::duration LongestGap{};
  Clock::time_point Last{};

  void Drawn() {
    const Clock::time_point now = Clock::now();
    if (Count > 0) LongestGap = std::max(LongestGap, now - Last);
    Last = now;
    ++Count;
  }
  std::string TakeReport() {
    const double gapMs = std::chrono::duration<double, std::milli>(LongestGap).count();
    std::string report = std::to_string(Count) + " " + std::to_string(gapMs);
    Count = 0;
    LongestGap = {};
    return report;
  }
};

FrameWatch g_frames;

void RunCommand(TForm1& form, const std::string& line) {
  std::istringstream words(line);
  std::string command, mode, port;
  words >> command >> mode >> port;
  if (command == "start") {
    form.ComComboBox->SetText(port);
    form.TrendCheckBox->SetChecked(mode == "trend");
    form.StartButton->Click();
    Answer(form.SerialComm1->Active() ? "started" : "not started");
  } else if (command == "stop") {
    form.StopButton->Click();
    Answer(form.SerialComm1->Active() ? "running" : "stopped");
  } else if (command == "frames") {
    Answer(g_frames.TakeReport());
  } else if (command == "count") {
    Answer(std::to_string(form.SessionState.SampleCount));
  } else if (command == "quit") {
    form.Close();
  } else {
    Answer("unknown command");
  }
}

}  // namespace

void StartTestHookIfAsked(TForm1& form) {
  if (std::getenv("KURVEX_TEST_HOOK") == nullptr) return;
  form.Chart1->OnDataRendered = [](TObject*, TCanvas&, int, int) { g_frames.Drawn(); };
  // Detached: it may sit in a read when the program ends.
  std::thread([&form] {
    std::string line;
    while (std::getline(std::cin, line)) {
      TDispatcher::Post([&form, line] { RunCommand(form, line); });
    }
  }).detach();
}

}  // namespace kurvex
