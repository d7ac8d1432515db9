// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for the main program that uses the single-instance guard the
// way the program's start does, so two copies can be started from a test.
// Prints "ready" once its message loop runs and "activated" each time a
// later copy brings its (minimised) window back.
#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <cstdio>

#include "platform/system/dispatcher.h"
#include "platform/windows/form.h"
#include "widgets/applicationguard.h"
#include "widgets/oneinstance.h"

namespace {

void Say(const char* line) {
  std::puts(line);
  std::fflush(stdout);
}

class RestoreReporter : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::WindowStateChange) {
      auto* window = static_cast<QWidget*>(watched);
      if (!window->isMinimized()) {
        Say("activated");
        window->showMinimized();  // so the next start can be seen as well
      }
    }
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  kurvex::TApplicationGuard guard(argc > 0 ? argv[0] : "");
  QApplication app(argc, argv);
  kurvex::TForm form;
  form.SetCaption("probe");
  kurvex::TOneInstance oneInstance(form);
  oneInstance.Loaded();
  RestoreReporter reporter;
  form.Widget()->installEventFilter(&reporter);
  form.Widget()->showMinimized();
  kurvex::TDispatcher::Post([] { Say("ready"); });
  return kurvex::TDispatcher::Run();
}
