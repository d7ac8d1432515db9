// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

namespace kurvex {

/// Screen readers see every widget of class `Widget` through `Interface`
/// (made from the widget) instead of what Qt derives from its Qt base class.
/// Call from the widget's constructor; the first call installs it.
template <class Widget, class Interface>
void UseAccessibleInterface() {
  static const bool installed = [] {
    QAccessible::installFactory([](const QString&, QObject* object) -> QAccessibleInterface* {
      if (auto* widget = dynamic_cast<Widget*>(object)) return new Interface(widget);
      return nullptr;
    });
    return true;
  }();
  static_cast<void>(installed);
}

/// A widget that reports `Role` and otherwise what any widget reports.
template <QAccessible::Role Role>
class TRoleAccessible : public QAccessibleWidget {
 public:
  explicit TRoleAccessible(QWidget* widget) : QAccessibleWidget(widget, Role) {}
};

}  // namespace kurvex
