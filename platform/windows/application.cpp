// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/application.h"

#include <QApplication>
#include <QFont>
#include <cstdlib>

#include "platform/system/dispatcher.h"
#include "platform/windows/translations.h"

namespace kurvex {

struct TApplication::Impl {
  Impl(int& argc, char** argv) : app(argc, argv) {}
  QApplication app;
  TProgramTranslations translations;  // after the application object, which it needs
};

TApplication::TApplication(int& argc, char** argv) : m_impl(std::make_unique<Impl>(argc, argv)) {
  QApplication::setApplicationName("Kurvex");
  QApplication::setFont(QFont("DejaVu Sans", 9));
}

TApplication::~TApplication() = default;

int TApplication::Run() { return TDispatcher::Run(); }

bool DisplayAvailable(std::string* reason) {
  const auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
  };
  if (set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY")) return true;
  if (reason) *reason = "no display: neither DISPLAY nor WAYLAND_DISPLAY is set";
  return false;
}

}  // namespace kurvex
