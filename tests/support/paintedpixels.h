// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QEvent>
#include <QObject>
#include <QPaintEvent>
#include <QWidget>

namespace kurvex::test {

/// Adds up the pixels a widget is asked to repaint while it lives.
class PaintedPixels : public QObject {
 public:
  explicit PaintedPixels(QWidget& widget) : m_widget(widget) { widget.installEventFilter(this); }
  ~PaintedPixels() override { m_widget.removeEventFilter(this); }
  long long Count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint)
      for (const QRect& rect : static_cast<QPaintEvent*>(event)->region()) Count += 1LL * rect.width() * rect.height();
    return false;
  }

 private:
  QWidget& m_widget;
};

}  // namespace kurvex::test
