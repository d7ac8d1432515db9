// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/circularprogress.h"

#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

#include <algorithm>

#include "platform/system/eventguard.h"
#include "platform/windows/frameclock.h"
#include "widgets/circularprogresslayout.h"
#include "widgets/circularprogresspictures.h"

namespace kurvex {

namespace {

QRect ToQRect(const TRect& r) { return {r.Left, r.Top, r.Width(), r.Height()}; }

// What Qt would paint behind a widget that paints no background: the
// colour of the nearest ancestor that fills its own.
QColor Backdrop(const QWidget& widget) {
  const QWidget* filler = widget.parentWidget();
  while (filler && !filler->isWindow() && !filler->autoFillBackground()) filler = filler->parentWidget();
  const QWidget& from = filler ? *filler : widget;
  return from.palette().color(from.backgroundRole());
}

}  // namespace

struct TCircularProgress::Impl {
  explicit Impl(std::function<void()> onTick) : ticks(std::move(onTick), TFrameRider::Turn::AfterOthers) {}

  // The ticks ride the frame clock, after the frame's other riders, so the
  // ring reaches the screen in the same update as the chart and the texts.
  TFrameRider ticks;
  TFrameRider::Clock::time_point due{};  // the time of the next tick
  std::uint32_t interval = 100;
  TRingPictures pictures;
};

// The control's window: paints the ring and passes hover changes on.
class CircularProgressWidget : public QWidget {
 public:
  CircularProgressWidget() { setAttribute(Qt::WA_OpaquePaintEvent); }
  void SetOwner(TCircularProgress* owner) { m_owner = owner; }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (m_owner) RunReportingErrors([&] { Paint(*m_owner); });
  }

  void enterEvent(QEnterEvent*) override { Notify(m_owner ? &m_owner->OnMouseEnter : nullptr); }
  void leaveEvent(QEvent*) override { Notify(m_owner ? &m_owner->OnMouseLeave : nullptr); }

 private:
  void Notify(const TNotifyEvent* event) {
    if (event && *event) RunReportingErrors([&] { (*event)(m_owner); });
  }

  // Opaque: the picture holds the parent's colour around the ring, so a
  // tick repaints the ring alone and not the parent beneath it.
  void Paint(TCircularProgress& control) {
    QPainter painter(this);
    // The resolution of where the picture goes: the screen's, or an image's
    // the control is rendered into.
    const double scale = painter.paintEngine()->paintDevice()->devicePixelRatioF();
    const TRingScene scene(width(), height(), scale, Backdrop(*this),
                           ProgressSegments(control.m_min, control.m_max, control.m_position),
                           control.m_appearance);
    painter.drawImage(0, 0, control.m_impl->pictures.Picture(scene, control.m_cycle, control.m_appearance));
  }

  TCircularProgress* m_owner = nullptr;
};

TCircularProgress::TCircularProgress(TWinControl* parent)
    : TWinControl(new CircularProgressWidget, parent), m_impl(std::make_unique<Impl>([this] { Tick(); })) {
  m_appearance.OnChange = [this](TObject*) { Repaint(); };
  SetBounds(Left(), Top(), 60, 60);
  static_cast<CircularProgressWidget*>(Widget())->SetOwner(this);
  UpdateTimer();
}

TCircularProgress::~TCircularProgress() {
  if (Widget()) static_cast<CircularProgressWidget*>(Widget())->SetOwner(nullptr);
}

void TCircularProgress::SetMin(int min) {
  if (min == m_min || min < 0 || min > m_max) return;
  m_min = min;
  m_position = std::max(m_position, m_min);
  Repaint();
}

void TCircularProgress::SetMax(int max) {
  if (max == m_max || max < 0) return;
  m_max = max;
  m_position = std::min(m_position, m_max);
  Repaint();
}

void TCircularProgress::SetPosition(int position) {
  if (position == m_position || position < m_min || position > m_max) return;
  m_position = position;
  Repaint();
}

std::uint32_t TCircularProgress::Interval() const { return m_impl->interval; }

void TCircularProgress::SetInterval(std::uint32_t interval) {
  if (interval == m_impl->interval) return;
  m_impl->interval = interval;
  m_impl->ticks.Cancel();  // the next tick is one new interval away
  UpdateTimer();
}

void TCircularProgress::SetEnabled(bool enabled) {
  TWinControl::SetEnabled(enabled);
  UpdateTimer();
}

std::chrono::milliseconds TCircularProgress::IntervalTime() const {
  return std::chrono::milliseconds(m_impl->interval);
}

void TCircularProgress::UpdateTimer() {
  // A zero interval would tick at every frame; it means "no animation"
  // instead.
  const bool run = Enabled() && m_impl->interval > 0;
  if (run && !m_impl->ticks.Waiting()) {
    m_impl->due = TFrameRider::Clock::now() + IntervalTime();
    m_impl->ticks.RideFrameFrom(m_impl->due);
  }
  if (!run) m_impl->ticks.Cancel();
}

void TCircularProgress::Tick() {
  // The ticks keep their own beat, so the ring turns at its rate although
  // each tick comes with the frame nearest to it. An interval shorter than
  // a frame, or a loop that was busy for longer than an interval, gives one
  // tick per frame instead of a catching-up jump.
  const auto now = TFrameRider::Clock::now();
  m_impl->due += IntervalTime();
  if (m_impl->due <= now) m_impl->due = now + IntervalTime();
  m_impl->ticks.RideFrameFrom(m_impl->due);
  m_cycle.Advance();
  // Painted at once, with what the frame's other riders changed: a posted
  // update would wake the loop a second time, which with nothing arriving
  // costs about as much as the tick itself.
  Widget()->repaint(ToQRect(TickUpdateRect(m_cycle.CurrentSegment(), Width(), Height())));
  if (OnProgressUpdate) OnProgressUpdate(this);
}

void TCircularProgress::Repaint() { Widget()->update(); }

}  // namespace kurvex
