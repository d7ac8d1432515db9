// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/progresswindows.h"
#include "platform/system/translate.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace kurvex {

namespace {

// Shorter work shows no window; the bar moves at most this often.
constexpr int kShowAfterMs = 500;
constexpr int kLookIntervalMs = 40;
constexpr int kSteps = 1000;

std::unique_ptr<ProgressWindows>& Slot() {
  static std::unique_ptr<ProgressWindows> slot = std::make_unique<QtProgressWindows>();
  return slot;
}

}  // namespace

bool QtProgressWindows::Wait(const std::string& caption, const std::string& text,
                             const std::function<double()>& fraction, const std::function<bool()>& done) {
  if (done()) return true;
  QDialog window;
  window.setObjectName("ProgressWindow");
  window.setWindowTitle(QString::fromStdString(caption));
  window.setWindowModality(Qt::ApplicationModal);
  auto* label = new QLabel(QString::fromStdString(text), &window);
  auto* bar = new QProgressBar(&window);
  bar->setRange(0, kSteps);
  bar->setAccessibleName(label->text());
  auto* cancel = new QPushButton(QString::fromStdString(Tr("Dialogs", "Abbrechen")), &window);
  cancel->setObjectName("CancelButton");
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(label);
  layout->addWidget(bar);
  layout->addWidget(cancel, 0, Qt::AlignRight);
  window.setMinimumWidth(360);

  bool cancelled = false;
  QEventLoop loop;
  QObject::connect(cancel, &QPushButton::clicked, &loop, [&] {
    cancelled = true;
    loop.quit();
  });
  // Closing the window is a Cancel too.
  QObject::connect(&window, &QDialog::rejected, &loop, [&] {
    cancelled = true;
    loop.quit();
  });
  QElapsedTimer clock;
  clock.start();
  QTimer look;
  look.setInterval(kLookIntervalMs);
  QObject::connect(&look, &QTimer::timeout, &loop, [&] {
    if (done()) return loop.quit();
    bar->setValue(static_cast<int>(fraction() * kSteps));
    if (!window.isVisible() && clock.elapsed() >= kShowAfterMs) {
      window.show();
      loop.quit();  // again, now with input: the window is modal
    }
  });
  look.start();
  while (!cancelled && !done())
    loop.exec(window.isVisible() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
  return !cancelled;
}

ProgressWindows& TheProgressWindows() { return *Slot(); }

std::unique_ptr<ProgressWindows> SetProgressWindows(std::unique_ptr<ProgressWindows> windows) {
  auto previous = std::move(Slot());
  Slot() = windows ? std::move(windows) : std::make_unique<QtProgressWindows>();
  return previous;
}

}  // namespace kurvex
