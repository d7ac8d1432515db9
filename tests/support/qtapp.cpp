// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/qtapp.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <chrono>

#include "platform/system/dispatcher.h"

namespace kurvex::test {

QApplication& QtApp() {
  // Leaked on purpose: destroying the application at exit would run after
  // static widgets of some tests and after GoogleTest's own teardown.
  static int argc = 1;
  static char name[] = "kurvex-tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

namespace {

QPoint Resolve(QWidget* widget, QPoint pos) {
  return pos == QPoint(-1, -1) ? widget->rect().center() : pos;
}

void SendMouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  const QPointF local(Resolve(widget, pos));
  QMouseEvent event(type, local, widget->mapToGlobal(local), button, buttons, modifiers);
  QApplication::sendEvent(widget, &event);
}

}  // namespace

void MousePress(QWidget* widget, Qt::MouseButton button, QPoint pos,
                Qt::KeyboardModifiers modifiers) {
  SendMouse(widget, QEvent::MouseButtonPress, pos, button, button, modifiers);
}

void MouseRelease(QWidget* widget, Qt::MouseButton button, QPoint pos,
                  Qt::KeyboardModifiers modifiers) {
  SendMouse(widget, QEvent::MouseButtonRelease, pos, button, Qt::NoButton, modifiers);
}

void MouseMove(QWidget* widget, QPoint pos, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers) {
  SendMouse(widget, QEvent::MouseMove, pos, Qt::NoButton, buttons, modifiers);
}

void MouseClick(QWidget* widget, QPoint pos, Qt::KeyboardModifiers modifiers) {
  MousePress(widget, Qt::LeftButton, pos, modifiers);
  MouseRelease(widget, Qt::LeftButton, pos, modifiers);
}

void MouseDrag(QWidget* widget, QPoint from, QPoint to) {
  MouseMove(widget, from);
  MousePress(widget, Qt::LeftButton, from);
  MouseMove(widget, from, Qt::LeftButton);
  MouseMove(widget, to, Qt::LeftButton);
  MouseRelease(widget, Qt::LeftButton, to);
}

}  // namespace kurvex::test
