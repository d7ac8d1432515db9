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
  const auto changed = [this] {
    RunReportingErrors([this] {
      if (OnChange) OnChange(this);
    });
  };
  QObject::connect(Combo(Widget()), &QComboBox::editTextChanged, Widget(), changed);
  // A list has no text to edit; its text changes with the item picked.
  QObject::connect(Combo(Widget()), &QComboBox::currentTextChanged, Widget(), [this, changed] {
    if (Style() == csDropDownList) changed();
  });
  // An item picked from the list shows its beginning, where the number is.
  QObject::connect(Combo(Widget()), &QComboBox::textActivated, Widget(), [this] {
    if (QLineEdit* edit = Combo(Widget())->lineEdit()) edit->home(false);
  });
}

TComboBoxStyle TComboBox::Style() const { return Combo(Widget())->isEditable() ? csDropDown : csDropDownList; }

void TComboBox::SetStyle(TComboBoxStyle style) {
  const std::string text = Text();
  Combo(Widget())->setEditable(style == csDropDown);
  if (style == csDropDown) Combo(Widget())->setInsertPolicy(QComboBox::NoInsert);
  SetText(text);
}

void TComboBox::SetItems(const std::vector<std::string>& items) {
  QComboBox* combo = Combo(Widget());
  const QString text = combo->currentText();  // clear() and addItem() would replace it
  const QSignalBlocker quiet(combo);  // the text only passes through other values here
  QLineEdit* edit = combo->lineEdit();  // none in a list
  const int cursor = edit != nullptr ? edit->cursorPosition() : 0;
  combo->clear();
  for (const std::string& item : items) combo->addItem(QString::fromStdString(item));
  if (edit != nullptr) {
    combo->setEditText(text);
    edit->setCursorPosition(cursor);
  } else {
    combo->setCurrentIndex(combo->findText(text));
  }
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
  QComboBox* combo = Combo(Widget());
  if (QLineEdit* edit = combo->lineEdit()) {
    combo->setEditText(QString::fromStdString(text));
    edit->home(false);
  } else {
    combo->setCurrentIndex(combo->findText(QString::fromStdString(text)));
  }
}

void TComboBox::SetDropDownCount(int count) { Combo(Widget())->setMaxVisibleItems(count); }
int TComboBox::DropDownCount() const { return Combo(Widget())->maxVisibleItems(); }

}  // namespace kurvex
