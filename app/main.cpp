#include <cstdio>
#include <string>

#include "app/mainwindow.h"
#include "app/testhook.h"
#include "platform/system/appendfile.h"
#include "platform/windows/application.h"
#include "widgets/applicationguard.h"

int main(int argc, char** argv) {
  std::string reason;
  if (!kurvex::DisplayAvailable(&reason)) {
    std::fprintf(stderr, "kurvex: %s; start it on a desktop session.\n", reason.c_str());
    return 1;
  }
  // A recording or a file that reaches the file-size limit fails and says
  // so; the program goes on.
  kurvex::FailWritesBeyondTheFileSizeLimit();
  // First of all: note whether another copy runs, before any window exists.
  kurvex::TApplicationGuard guard(argc > 0 ? argv[0] : "");
  kurvex::TApplication application(argc, argv);
  kurvex::TForm1 form;
  form.Show();
  kurvex::StartTestHookIfAsked(form);
  return application.Run();
}
