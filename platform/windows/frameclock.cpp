// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/frameclock.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "platform/system/eventguard.h"

namespace kurvex {

namespace {

using Clock = TFrameRider::Clock;

// One refresh of the fastest screen, so no screen gets fewer frames than it
// can show.
Clock::duration FramePeriod() {
  double hz = 0;
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    for (const QScreen* screen : QGuiApplication::screens()) hz = std::max(hz, screen->refreshRate());
  }
  if (hz < 24) hz = 60;
  return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / hz));
}

}  // namespace

struct FrameClock {
  struct Waiting {
    TFrameRider* rider;
    std::uint64_t askedBefore;  // the first frame that may serve it
  };
  std::vector<Waiting> waiting;
  std::uint64_t frames = 0;  // frames begun
  Clock::time_point lastFrame{};
  QPointer<QTimer> timer;  // a child of the application, gone with it
  Clock::time_point timerAt{};

  static FrameClock& Instance() {
    static FrameClock clock;
    return clock;
  }

  void Add(TFrameRider* rider) {
    waiting.push_back({rider, frames + 1});
    Schedule();
  }

  void Remove(TFrameRider* rider) {
    // The timer is left to run out: finding nothing to do then costs less
    // than stopping it and starting it again for the next request.
    std::erase_if(waiting, [rider](const Waiting& w) { return w.rider == rider; });
  }

  void Schedule() {
    if (waiting.empty()) return;
    Clock::time_point due = *waiting.front().rider->m_due;
    for (const Waiting& w : waiting) due = std::min(due, *w.rider->m_due);
    const Clock::time_point at = std::max(due, lastFrame + FramePeriod());
    if (!timer) {
      timer = new QTimer(QCoreApplication::instance());
      timer->setSingleShot(true);
      timer->setTimerType(Qt::PreciseTimer);
      QObject::connect(timer, &QTimer::timeout, [this] { RunFrame(); });
    }
    if (timer->isActive() && timerAt <= at) return;
    const Clock::time_point now = Clock::now();
    const auto wait = std::clamp<std::chrono::milliseconds>(std::chrono::ceil<std::chrono::milliseconds>(at - now),
                                                            std::chrono::milliseconds(0),
                                                            std::chrono::milliseconds(INT_MAX));
    timerAt = now + wait;
    timer->start(wait);
  }

  // Serves the riders that asked before this frame began and whose time
  // comes within half a refresh, and those that may ride any frame by now,
  // those that run after the others last; what they ask for now is for a
  // later frame.
  // A rider that goes during the frame (a window closed by another rider)
  // has left the list by then, and a frame inside a rider (a message box's
  // loop) serves only the riders it finds.
  void RunFrame() {
    const std::uint64_t frame = ++frames;
    const Clock::time_point now = Clock::now();
    const Clock::time_point cutoff = now + FramePeriod() / 2;
    const auto due = [&](const Waiting& w) {
      return w.askedBefore <= frame && (*w.rider->m_due <= cutoff || w.rider->m_earliest <= now);
    };
    for (;;) {
      auto next = std::find_if(waiting.begin(), waiting.end(), [&](const Waiting& w) {
        return due(w) && w.rider->m_turn == TFrameRider::Turn::Any;
      });
      if (next == waiting.end()) next = std::find_if(waiting.begin(), waiting.end(), due);
      if (next == waiting.end()) break;
      TFrameRider* rider = next->rider;
      waiting.erase(next);
      rider->m_due.reset();
      lastFrame = now;
      RunReportingErrors(rider->m_onFrame);
    }
    Schedule();
  }
};

TFrameRider::TFrameRider(std::function<void()> onFrame, Turn turn) : m_onFrame(std::move(onFrame)), m_turn(turn) {}

TFrameRider::~TFrameRider() { Cancel(); }

void TFrameRider::RideFrameFrom(Clock::time_point due) { RideFrameBetween(due, due); }

void TFrameRider::RideFrameBetween(Clock::time_point earliest, Clock::time_point latest) {
  if (m_due && *m_due <= latest) return;
  const bool added = !m_due;
  m_due = latest;
  m_earliest = added ? earliest : std::min(m_earliest, earliest);
  if (added) {
    FrameClock::Instance().Add(this);
  } else {
    FrameClock::Instance().Schedule();
  }
}

void TFrameRider::Cancel() {
  if (!m_due) return;
  m_due.reset();
  FrameClock::Instance().Remove(this);
}

}  // namespace kurvex
