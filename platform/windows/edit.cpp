// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/edit.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "platform/system/eventguard.h"
#include "platform/windows/keys.h"

namespace kurvex {

namespace {

// Hands the keys to OnKeyDown before the field acts on them.
class EditWidget : public QLineEdit {
 public:
  explicit EditWidget(TEdit& owner) : m_owner(owner) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    TKey key = KeyOf(event->key());
    if (key != 0 && m_owner.OnKeyDown) {
      RunReportingErrors([&] { m_owner.OnKeyDown(&m_owner, key, ShiftOf(event->modifiers(), Qt::NoButton)); });
      if (key == 0) return;  // taken
    }
    QLineEdit::keyPressEvent(event);
  }

 private:
  TEdit& m_owner;
};

QLineEdit* Line(QWidget* widget) { return static_cast<QLineEdit*>(widget); }

}  // namespace

TEdit::TEdit(TWinControl* parent) : TWinControl(new EditWidget(*this), parent) {
  QObject::connect(Line(Widget()), &QLineEdit::textChanged, Widget(), [this] {
    RunReportingErrors([this] {
      if (OnChange) OnChange(this);
    });
  });
}

std::string TEdit::Text() const { return Line(Widget())->text().toStdString(); }

void TEdit::SetText(const std::string& text) { Line(Widget())->setText(QString::fromStdString(text)); }

void TEdit::SetPlaceholderText(const std::string& text) {
  Line(Widget())->setPlaceholderText(QString::fromStdString(text));
  Widget()->setAccessibleDescription(QString::fromStdString(text));
}

std::string TEdit::PlaceholderText() const { return Line(Widget())->placeholderText().toStdString(); }

}  // namespace kurvex
