// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/groupbox.h"

#include <QGroupBox>

namespace kurvex {

TGroupBox::TGroupBox(TWinControl* parent) : TWinControl(new QGroupBox, parent) {}

void TGroupBox::SetCaption(const std::string& caption) {
  static_cast<QGroupBox*>(Widget())->setTitle(QString::fromStdString(caption));
  SetCaptionAccessibleName(caption);
}

std::string TGroupBox::Caption() const {
  return static_cast<QGroupBox*>(Widget())->title().toStdString();
}

}  // namespace kurvex
