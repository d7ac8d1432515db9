// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/choicedialogs.h"

#include <QInputDialog>
#include <QStringList>

namespace kurvex {

namespace {

std::unique_ptr<ChoiceDialogs>& Slot() {
  static std::unique_ptr<ChoiceDialogs> slot = std::make_unique<QtChoiceDialogs>();
  return slot;
}

}  // namespace

std::optional<std::size_t> QtChoiceDialogs::Choose(const std::string& caption, const std::string& label,
                                                   const std::vector<std::string>& items) {
  QStringList list;
  for (const std::string& item : items) list << QString::fromStdString(item);
  bool ok = false;
  const QString chosen = QInputDialog::getItem(nullptr, QString::fromStdString(caption), QString::fromStdString(label),
                                               list, 0, false, &ok);
  if (!ok) return std::nullopt;
  const auto index = list.indexOf(chosen);
  return index < 0 ? std::nullopt : std::optional(static_cast<std::size_t>(index));
}

ChoiceDialogs& TheChoiceDialogs() { return *Slot(); }

std::unique_ptr<ChoiceDialogs> SetChoiceDialogs(std::unique_ptr<ChoiceDialogs> dialogs) {
  auto previous = std::move(Slot());
  Slot() = dialogs ? std::move(dialogs) : std::make_unique<QtChoiceDialogs>();
  return previous;
}

}  // namespace kurvex
