#include "app/testhook.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>

#include "app/mainwindow.h"
#include "platform/dispatcher.h"

namespace kurvex {

namespace {

void Answer(const std::string& text) {
  std::fputs((text + "\n").c_str(), stdout);
  std::fflush(stdout);
}

void RunCommand(TForm1& form, const std::string& line) {
  std::istringstream words(line);
  std::string command, mode, port;
  words >> command >> mode >> port;
  if (command == "start") {
    form.ComComboBox->SetText(port);
    form.TrendCheckBox->SetChecked(mode == "trend");
    form.StartButton->Click();
    Answer(form.SerialComm1->Active() ? "started" : "not started");
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
  // Detached: it may sit in a read when the program ends.
  std::thread([&form] {
    std::string line;
    while (std::getline(std::cin, line)) {
      TDispatcher::Post([&form, line] { RunCommand(form, line); });
    }
  }).detach();
}

}  // namespace kurvex
