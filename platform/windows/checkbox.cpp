// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/checkbox.h"

#include <QCheckBox>

#include "platform/system/eventguard.h"

namespace kurvex {

TCheckBox::TCheckBox(TWinControl* parent) : TWinControl(new QCheckBox, parent) {
  // clicked() comes only from the user (after the state has toggled), not
  // from setChecked(); programmatic changes run the handler in SetChecked.
  auto* box = static_cast<QCheckBox*>(Widget());
  QObject::connect(box, &QCheckBox::clicked, box, [this] {
    RunReportingErrors([this] {
      if (OnClick) OnClick(this);
    });
  });
}

void TCheckBox::SetCaption(const std::string& caption) {
  static_cast<QCheckBox*>(Widget())->setText(QString::fromStdString(caption));
  SetCaptionAccessibleName(caption);
}

std::string TCheckBox::Caption() const {
  return static_cast<QCheckBox*>(Widget())->text().toStdString();
}

bool TCheckBox::Checked() const { return static_cast<QCheckBox*>(Widget())->isChecked(); }

void TCheckBox::SetChecked(bool checked) {
  if (checked == Checked()) return;
  static_cast<QCheckBox*>(Widget())->setChecked(checked);
  if (OnClick) OnClick(this);
}

}  // namespace kurvex
