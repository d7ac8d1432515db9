// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/messageboxes.h"

#include <QEventLoop>
#include <QMessageBox>

namespace kurvex {

namespace {

QMessageBox::Icon ToQt(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    default: return QMessageBox::Information;
  }
}

QMessageBox::StandardButtons ToQt(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    default: return QMessageBox::Ok;
  }
}

MessageResult FromQt(QMessageBox::StandardButton button, MessageButtons buttons) {
  switch (button) {
    case QMessageBox::Ok: return MessageResult::Ok;
    case QMessageBox::Yes: return MessageResult::Yes;
    case QMessageBox::No: return MessageResult::No;
    default: return buttons == MessageButtons::YesNo ? MessageResult::No : MessageResult::Cancel;
  }
}

std::unique_ptr<MessageBoxes>& Slot() {
  static std::unique_ptr<MessageBoxes> slot = std::make_unique<QtMessageBoxes>();
  return slot;
}

}  // namespace

MessageResult QtMessageBoxes::Show(const std::string& text, const std::string& caption,
                                   MessageIcon icon, MessageButtons buttons) {
  QMessageBox box(ToQt(icon), QString::fromStdString(caption), QString::fromStdString(text),
                  ToQt(buttons));
  // Not exec(): that would make the box modal, and the other windows must
  // stay usable while it waits for the answer.
  box.setWindowModality(Qt::NonModal);
  QEventLoop wait;
  QObject::connect(&box, &QMessageBox::finished, &wait, &QEventLoop::quit);
  box.show();
  box.raise();
  box.activateWindow();
  wait.exec();
  return FromQt(box.standardButton(box.clickedButton()), buttons);
}

MessageBoxes& TheMessageBoxes() { return *Slot(); }

std::unique_ptr<MessageBoxes> SetMessageBoxes(std::unique_ptr<MessageBoxes> boxes) {
  auto previous = std::move(Slot());
  Slot() = boxes ? std::move(boxes) : std::make_unique<QtMessageBoxes>();
  return previous;
}

}  // namespace kurvex
