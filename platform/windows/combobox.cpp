// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/combobox.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyle>

#include "platform/system/eventguard.h"

namespace kurvex {

namespace {
QComboBox* Combo(QWidget* widget) { return static_cast<QComboBox*>(widget); }
}  // namespace

TComboBox::TComboBox(TWinControl* parent) : TWinControl(new QComboBox, parent) {
  Combo(Widget())->setEditable(true);
  Combo(Widget())->setInsertPolicy(QComboBox::NoInsert);
  QObject::connect(Combo(Widget()), &QComboBox::editTextChanged, Widget(), [this] {
    RunReportingErrors([this] {
      if (OnChange) OnChange(this);
    });
  });
  // An item picked from the list shows its beginning, where the number is.
  QObject::connect(Combo(Widget()), &QComboBox::textActivated, Widget(),
                   [this] { Combo(Widget())->lineEdit()->home(false); });
}

void TComboBox::SetItems(const std::vector<std::string>& items) {
  QComboBox* combo = Combo(Widget());
  const QString text = combo->currentText();  // clear() and addItem() would replace it
  const int cursor = combo->lineEdit()->cursorPosition();
  const QSignalBlocker quiet(combo);  // the text only passes through other values here
  combo->clear();
  for (const std::string& item : items) combo->addItem(QString::fromStdString(item));
  combo->setEditText(text);
  combo->lineEdit()->setCursorPosition(cursor);
  // The open list shows whole items even where they are wider than the field.
  QAbstractItemView* list = combo->view();
  list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth() +
                        list->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

std::vector<std::string> TComboBox::Items() const {
  std::vector<std::string> items;
  for (int i = 0; i < Combo(Widget())->count(); ++i) {
    items.push_back(Combo(Widget())->itemText(i).toStdString());
  }
  return items;
}

std::string TComboBox::Text() const { return Combo(Widget())->currentText().toStdString(); }

void TComboBox::SetText(const std::string& text) {
  Combo(Widget())->setEditText(QString::fromStdString(text));
  Combo(Widget())->lineEdit()->home(false);
}

void TComboBox::SetDropDownCount(int count) { Combo(Widget())->setMaxVisibleItems(count); }
int TComboBox::DropDownCount() const { return Combo(Widget())->maxVisibleItems(); }

}  // namespace kurvex
