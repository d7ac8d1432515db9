#include "platform/radiobutton.h"

#include <QRadioButton>

#include <functional>

#include "platform/eventguard.h"

namespace kurvex {

namespace {

// Qt's own exclusivity cannot leave every button unchecked and would toggle a
// checked button off on a click; the control does both its own way instead.
class RadioWidget : public QRadioButton {
 public:
  RadioWidget() { setAutoExclusive(false); }
  std::function<void()> onUserCheck;

 protected:
  void nextCheckState() override {
    if (!isChecked() && onUserCheck) onUserCheck();
  }
};

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
