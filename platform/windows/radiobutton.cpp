// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/radiobutton.h"

#include <QRadioButton>

#include <functional>

#include "platform/windows/accessibleinterface.h"
#include "platform/system/eventguard.h"

namespace kurvex {

namespace {

// Qt's own exclusivity cannot leave every button unchecked and would toggle a
// checked button off on a click; the control does both its own way instead.
class RadioWidget : public QRadioButton {
 public:
  RadioWidget();
  std::function<void()> onUserCheck;

 protected:
  void nextCheckState() override {
    if (!isChecked() && onUserCheck) onUserCheck();
  }
};

// Qt reports a button without its exclusivity as a check box; screen readers
// must hear a radio button that can be checked by their press action.
class RadioAccessible : public QAccessibleWidget {
 public:
  explicit RadioAccessible(RadioWidget* button)
      : QAccessibleWidget(button, QAccessible::RadioButton) {}

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = Button()->isChecked();
    return state;
  }
  QStringList actionNames() const override {
    return QStringList(pressAction()) + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& name) override {
    if (name == pressAction()) {
      if (Button()->isEnabled()) Button()->click();
      return;
    }
    QAccessibleWidget::doAction(name);
  }

 private:
  QRadioButton* Button() const { return static_cast<QRadioButton*>(widget()); }
};

RadioWidget::RadioWidget() {
  setAutoExclusive(false);
  UseAccessibleInterface<RadioWidget, RadioAccessible>();
}

}  // namespace

TRadioButton::TRadioButton(TWinControl* parent) : TWinControl(new RadioWidget, parent) {
  static_cast<RadioWidget*>(Widget())->onUserCheck = [this] {
    RunReportingErrors([this] { SetChecked(true); });
  };
}

void TRadioButton::SetCaption(const std::string& caption) {
  static_cast<QRadioButton*>(Widget())->setText(QString::fromStdString(caption));
  SetCaptionAccessibleName(caption);
}

std::string TRadioButton::Caption() const {
  return static_cast<QRadioButton*>(Widget())->text().toStdString();
}

bool TRadioButton::Checked() const { return static_cast<QRadioButton*>(Widget())->isChecked(); }

void TRadioButton::SetChecked(bool checked) {
  auto* button = static_cast<QRadioButton*>(Widget());
  if (checked == button->isChecked()) return;
  button->setChecked(checked);
  if (!checked) return;
  if (QWidget* parent = button->parentWidget()) {
    for (auto* sibling : parent->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) {
      if (sibling != button) sibling->setChecked(false);
    }
  }
  if (OnClick) OnClick(this);
}

}  // namespace kurvex
