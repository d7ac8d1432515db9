// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/timer.h"

#include <QTimer>

namespace kurvex {

struct TTimer::Impl {
  QTimer timer;
};

TTimer::TTimer() : m_impl(std::make_unique<Impl>()) {
  m_impl->timer.setInterval(1000);
  QObject::connect(&m_impl->timer, &QTimer::timeout, [this] {
    if (OnTimer) OnTimer(this);
  });
}

TTimer::~TTimer() = default;

int TTimer::Interval() const { return m_impl->timer.interval(); }
void TTimer::SetInterval(int milliseconds) { m_impl->timer.setInterval(milliseconds); }
bool TTimer::Enabled() const { return m_impl->timer.isActive(); }
void TTimer::SetName(const std::string& name) { m_impl->timer.setObjectName(QString::fromStdString(name)); }
void TTimer::SetPrecise(bool precise) { m_impl->timer.setTimerType(precise ? Qt::PreciseTimer : Qt::CoarseTimer); }

void TTimer::SetEnabled(bool enabled) {
  if (enabled == Enabled()) return;
  if (enabled)
    m_impl->timer.start();
  else
    m_impl->timer.stop();
}

}  // namespace kurvex
