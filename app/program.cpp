// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <variant>
#include <vector>

#include "app/commandline.h"
#include "app/mainwindow.h"
#include "platform/system/appendfile.h"
#include "platform/system/dispatcher.h"
#include "platform/windows/application.h"
#include "widgets/applicationguard.h"

namespace kurvex {

namespace {

// Relative paths on the command line are relative to it. Without one (it was
// removed) they cannot name a file, and are then taken from the root.
std::filesystem::path CurrentDirectory() {
  std::error_code error;
  const std::filesystem::path directory = std::filesystem::current_path(error);
  return error ? std::filesystem::path("/") : directory;
}

// What a later start handed over: told in a terminal (and to the start-up
// tests), then applied like the window's own command line.
void TakeHandedOver(TForm1& form, const std::vector<std::string>& arguments) {
  std::string line = "kurvex: a second start handed over";
  for (const std::string& argument : arguments) line += " " + argument;
  std::fprintf(stderr, "%s\n", line.c_str());
  const TCommandLineParse parsed = ParseCommandLine(arguments, "/");
  if (const auto* problem = std::get_if<std::string>(&parsed)) {
    std::fprintf(stderr, "kurvex: ignored: %s\n", problem->c_str());
    return;
  }
  form.ApplyCommandLine(std::get<TCommandLine>(parsed));
}

}  // namespace

int RunProgram(int argc, char** argv, const TWindowCompanion& companion) {
  // Bad arguments are answered before anything else, without a window or
  // the copy that may already run.
  const TCommandLineParse parsed =
      ParseCommandLine(std::vector<std::string>(argv + std::min(argc, 1), argv + argc), CurrentDirectory());
  if (const auto* problem = std::get_if<std::string>(&parsed)) {
    std::fprintf(stderr, "kurvex: %s\n%s", problem->c_str(), CommandLineUsage().c_str());
    return 2;
  }
  const TCommandLine commandLine = std::get<TCommandLine>(parsed);
  if (commandLine.Help) {
    std::fputs(CommandLineUsage().c_str(), stdout);
    return 0;
  }
  if (commandLine.Version) {
    std::puts("kurvex " KURVEX_VERSION);
    return 0;
  }
  std::string reason;
  if (!DisplayAvailable(&reason)) {
    std::fprintf(stderr, "kurvex: %s; start it on a desktop session.\n", reason.c_str());
    return 1;
  }
  // A recording or a file that reaches the file-size limit fails and says
  // so; the program goes on.
  FailWritesBeyondTheFileSizeLimit();
  // First of all: note whether another copy runs, before any window exists.
  // A later copy hands its setup and options to that one.
  TApplicationGuard guard(argc > 0 ? argv[0] : "", CommandLineArguments(commandLine));
  TApplication application(argc, argv);
  TForm1 form;
  form.Show();
  if (!guard.PreviousInstance()) {
    form.OneInstance1->OnArguments = [&form](const std::vector<std::string>& arguments) {
      TakeHandedOver(form, arguments);
    };
    // From the message loop, once the window has shown.
    TDispatcher::Post([&form, commandLine] { form.ApplyCommandLine(commandLine); });
  }
  const std::unique_ptr<TObject> withWindow = companion ? companion(form) : nullptr;
  return application.Run();
}

}  // namespace kurvex
