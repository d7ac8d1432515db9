// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/drivenwindow/eventcensus.h"

#include <QCoreApplication>
#include <QPaintEvent>
#include <QWidget>

namespace kurvex {

namespace {

long long Area(const QRegion& region) {
  long long area = 0;
  for (const QRect& r : region) area += static_cast<long long>(r.width()) * r.height();
  return area;
}

std::string Name(const QObject* object) {
  std::string name = object->metaObject()->className();
  if (!object->objectName().isEmpty()) name += " " + object->objectName().toStdString();
  if (const QObject* parent = object->parent(); parent && object->objectName().isEmpty())
    name += " in " + std::string(parent->metaObject()->className()) +
            (parent->objectName().isEmpty() ? "" : " " + parent->objectName().toStdString());
  return name;
}

}  // namespace

TEventCensus::TEventCensus() { QCoreApplication::instance()->installEventFilter(this); }

TEventCensus::~TEventCensus() { QCoreApplication::instance()->removeEventFilter(this); }

void TEventCensus::EndUpdate() {
  if (m_update.isEmpty()) return;
  ++m_updates;
  m_flushedPixels += Area(m_update);
  m_update = {};
}

bool TEventCensus::eventFilter(QObject* receiver, QEvent* event) {
  switch (event->type()) {
    case QEvent::Timer:
      ++m_counts["timer " + Name(receiver)].Events;
      break;
    case QEvent::MetaCall:
      ++m_counts["queued call " + Name(receiver)].Events;
      break;
    case QEvent::UpdateRequest:
      EndUpdate();
      break;
    case QEvent::Paint:
      if (const auto* widget = qobject_cast<QWidget*>(receiver)) {
        const QRegion& region = static_cast<QPaintEvent*>(event)->region();
        TCount& count = m_counts["paint " + Name(receiver)];
        ++count.Events;
        count.Pixels += Area(region);
        m_update += region.translated(widget->mapTo(widget->window(), QPoint(0, 0)));
      }
      break;
    default:
      // The dispatcher's calls (the serial reader's hand-overs among them)
      // come as events of a type of their own.
      if (event->type() >= QEvent::User) ++m_counts["posted call " + Name(receiver)].Events;
      break;
  }
  return false;
}

std::string TEventCensus::TakeReport() {
  EndUpdate();
  std::string report;
  for (const auto& [what, count] : m_counts) {
    report += what + ": " + std::to_string(count.Events);
    if (count.Pixels > 0) report += " " + std::to_string(count.Pixels) + " px";
    report += "\n";
  }
  report += "flushed: " + std::to_string(m_updates) + " updates " + std::to_string(m_flushedPixels) + " px";
  m_counts.clear();
  m_updates = 0;
  m_flushedPixels = 0;
  return report;
}

}  // namespace kurvex
