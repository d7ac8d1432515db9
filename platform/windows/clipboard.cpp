// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace kurvex {

namespace {
std::unique_ptr<Clipboard>& Slot() {
  static std::unique_ptr<Clipboard> slot = std::make_unique<QtClipboard>();
  return slot;
}
}  // namespace

void QtClipboard::SetText(const std::string& text) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

Clipboard& TheClipboard() { return *Slot(); }

std::unique_ptr<Clipboard> SetClipboard(std::unique_ptr<Clipboard> clipboard) {
  std::unique_ptr<Clipboard> previous = std::move(Slot());
  Slot() = clipboard ? std::move(clipboard) : std::make_unique<QtClipboard>();
  return previous;
}

}  // namespace kurvex
