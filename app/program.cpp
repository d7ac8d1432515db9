// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program.h"

#include <cstdio>
#include <string>

#include "app/mainwindow.h"
#include "platform/system/appendfile.h"
#include "platform/windows/application.h"
#include "widgets/applicationguard.h"

namespace kurvex {

int RunProgram(int argc, char** argv, const TWindowCompanion& companion) {
  std::string reason;
  if (!DisplayAvailable(&reason)) {
    std::fprintf(stderr, "kurvex: %s; start it on a desktop session.\n", reason.c_str());
    return 1;
  }
  // A recording or a file that reaches the file-size limit fails and says
  // so; the program goes on.
  FailWritesBeyondTheFileSizeLimit();
  // First of all: note whether another copy runs, before any window exists.
  TApplicationGuard guard(argc > 0 ? argv[0] : "");
  TApplication application(argc, argv);
  TForm1 form;
  form.Show();
  const std::unique_ptr<TObject> withWindow = companion ? companion(form) : nullptr;
  return application.Run();
}

}  // namespace kurvex
