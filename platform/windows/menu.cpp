// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/menu.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include "platform/system/eventguard.h"
#include "platform/windows/form.h"

namespace kurvex {

struct TMenuItem::Impl {
  // Both live in the toolkit's object tree and may go with the window first.
  QPointer<QAction> action;
  QPointer<QMenu> submenu;
};

TMenuItem::TMenuItem(const std::string& caption, QObject* owner) : m_impl(std::make_unique<Impl>()) {
  m_impl->action = new QAction(QString::fromStdString(caption), owner);
  QObject::connect(m_impl->action, &QAction::triggered, m_impl->action, [this] {
    RunReportingErrors([this] { Click(); });
  });
}

TMenuItem::~TMenuItem() {
  m_items.clear();
  delete m_impl->submenu.data();
  delete m_impl->action.data();
}

TMenuItem& TMenuItem::Add(const std::string& caption) {
  if (!m_impl->submenu) {
    // The first child turns the item into a submenu that opens on choosing it.
    m_impl->submenu = new QMenu(m_impl->action->text());
    m_impl->action->setMenu(m_impl->submenu.data());
    QObject::connect(m_impl->submenu, &QMenu::aboutToShow, m_impl->submenu, [this] {
      RunReportingErrors([this] {
        if (OnPopup) OnPopup(this);
      });
    });
  }
  m_items.push_back(std::unique_ptr<TMenuItem>(new TMenuItem(caption, m_impl->submenu)));
  m_impl->submenu->addAction(m_items.back()->Action());
  return *m_items.back();
}

void TMenuItem::SetCaption(const std::string& caption) {
  m_impl->action->setText(QString::fromStdString(caption));
  if (m_impl->submenu) m_impl->submenu->setTitle(QString::fromStdString(caption));
}

std::string TMenuItem::Caption() const { return m_impl->action->text().toStdString(); }
void TMenuItem::SetName(const std::string& name) { m_impl->action->setObjectName(QString::fromStdString(name)); }
std::string TMenuItem::Name() const { return m_impl->action->objectName().toStdString(); }
void TMenuItem::SetEnabled(bool enabled) { m_impl->action->setEnabled(enabled); }
bool TMenuItem::Enabled() const { return m_impl->action->isEnabled(); }
void TMenuItem::SetVisible(bool visible) { m_impl->action->setVisible(visible); }
bool TMenuItem::Visible() const { return m_impl->action->isVisible(); }

void TMenuItem::SetShortCut(const std::string& keys) {
  m_impl->action->setShortcut(QKeySequence(QString::fromStdString(keys), QKeySequence::PortableText));
}

std::string TMenuItem::ShortCut() const {
  return m_impl->action->shortcut().toString(QKeySequence::PortableText).toStdString();
}

void TMenuItem::SetCheckable(bool checkable) { m_impl->action->setCheckable(checkable); }
void TMenuItem::SetChecked(bool checked) { m_impl->action->setChecked(checked); }
bool TMenuItem::Checked() const { return m_impl->action->isChecked(); }

void TMenuItem::Click() {
  if (OnClick) OnClick(this);
}

QAction* TMenuItem::Action() const { return m_impl->action; }

struct TMainMenu::Impl {
  QPointer<QMenuBar> bar;
  TForm* form;
};

TMainMenu::TMainMenu(TForm& form) : m_impl(std::make_unique<Impl>()) {
  m_impl->form = &form;
  m_impl->bar = new QMenuBar(form.Widget());
  m_impl->bar->setNativeMenuBar(false);  // inside the window on every desktop
  form.SetMenuBar(m_impl->bar);
}

TMainMenu::~TMainMenu() {
  m_items.clear();
  delete m_impl->bar.data();
}

TMenuItem& TMainMenu::Add(const std::string& caption) {
  m_items.push_back(std::unique_ptr<TMenuItem>(new TMenuItem(caption, m_impl->bar)));
  m_impl->bar->addAction(m_items.back()->Action());
  // The bar's height is known only once it has items: lay the window out again.
  m_impl->form->SetMenuBar(m_impl->bar);
  return *m_items.back();
}

QMenuBar* TMainMenu::MenuBar() const { return m_impl->bar; }

struct TPopupMenu::Impl {
  QPointer<QWidget> control;
  QPointer<QMenu> menu;
};

TPopupMenu::TPopupMenu(TWinControl& control) : m_impl(std::make_unique<Impl>()) {
  m_impl->control = control.Widget();
  m_impl->menu = new QMenu(control.Widget());
}

TPopupMenu::~TPopupMenu() {
  m_items.clear();
  delete m_impl->menu.data();
}

TMenuItem& TPopupMenu::Add(const std::string& caption) {
  m_items.push_back(std::unique_ptr<TMenuItem>(new TMenuItem(caption, m_impl->menu)));
  m_impl->menu->addAction(m_items.back()->Action());
  return *m_items.back();
}

void TPopupMenu::AddSeparator() { m_impl->menu->addSeparator(); }

void TPopupMenu::Popup(int x, int y) {
  if (m_impl->control) m_impl->menu->popup(m_impl->control->mapToGlobal(QPoint(x, y)));
}

bool TPopupMenu::Shown() const { return m_impl->menu->isVisible(); }

}  // namespace kurvex
