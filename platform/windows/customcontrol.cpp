// SPDX-License-Identifier: GPL-3.0-or-later
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/drawing/bitmap.h"
#include "platform/windows/control.h"
#include "platform/system/eventguard.h"
#include "platform/windows/frameclock.h"
#include "platform/windows/keys.h"

namespace kurvex {

namespace {
// The screen's own ratio, also a fractional one (125 %, 150 %): a picture
// at a rounded ratio would be resampled on the way to the screen, which
// drops lines and blurs text.
double ScaleOf(const QWidget& widget) { return std::max(1.0, widget.devicePixelRatioF()); }
}  // namespace

struct TCustomControl::Impl {
  explicit Impl(std::function<void()> onFrame) : frame(std::move(onFrame)) {}

  TBitmap picture;
  bool stale = true;    // the picture does not show the control yet
  bool created = false;
  bool inPaint = false;
  bool captured = false;
  std::optional<TPictureArea> pending;  // requested, not rendered yet
  TFrameRider frame;
  std::chrono::milliseconds pace{0};
  TFrameRider::Clock::time_point rendered{};  // the last render
  // What the render in progress told it changed, in its order.
  struct TChange {
    TRect rect;
    int dx;  // moved by; 0: changed
  };
  std::vector<TChange> changes;

  void Want(TPictureArea area) { pending = std::max(pending.value_or(area), area); }

  // The picture has the widget's size at the screen's resolution, so a
  // finer screen gets its own pixels rather than an enlarged picture.
  // Sized first: an empty picture keeps no scale, so the first fit would
  // otherwise give a picture at the wrong resolution that the next fit
  // replaces by a blank one.
  void FitPicture(const QWidget& widget) {
    if (picture.Width() != widget.width() || picture.Height() != widget.height()) {
      picture.SetSize(widget.width(), widget.height());
    }
    picture.SetScale(ScaleOf(widget));
  }
};

namespace {

bool ButtonOf(Qt::MouseButton qt, TMouseButton* button) {
  switch (qt) {
    case Qt::LeftButton: *button = mbLeft; return true;
    case Qt::RightButton: *button = mbRight; return true;
    case Qt::MiddleButton: *button = mbMiddle; return true;
    default: return false;
  }
}

}  // namespace

// The window of a TCustomControl: keeps the picture on screen and passes
// its events to the control's virtual methods.
class CustomControlWidget : public QWidget {
 public:
  CustomControlWidget() {
    setMouseTracking(true);  // moves without a button, for hover feedback
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);  // the picture covers every pixel
  }

  // Set only once the control is fully constructed, and cleared before it is
  // destroyed, so no event reaches a half-built or half-destroyed control.
  void SetOwner(TCustomControl* owner) { m_owner = owner; }

 protected:
  void showEvent(QShowEvent*) override {
    if (m_owner) RunReportingErrors([&] { m_owner->HandleNeeded(); });
  }

  void resizeEvent(QResizeEvent*) override {
    if (m_owner) m_owner->m_cimpl->stale = true;
  }

  void paintEvent(QPaintEvent*) override {
    if (!m_owner) return;
    TCustomControl::Impl& c = *m_owner->m_cimpl;
    // Moved to a screen of another resolution: the picture starts over.
    if (c.picture.Scale() != ScaleOf(*this)) c.stale = true;
    c.inPaint = true;
    if (c.stale) {
      RunReportingErrors([&] { m_owner->HandleNeeded(); });
      c.stale = false;
      c.FitPicture(*this);
      c.Want(paWhole);
      RunReportingErrors([&] { m_owner->FlushPicture(); });
    }
    // Otherwise a request made since the last frame waits for its frame:
    // rendering it here as well would render twice a frame while samples
    // stream in, since every frame's picture is followed by a paint.
    c.inPaint = false;
    // The painter is clipped to the region asked for: a plot picture
    // copies the plot area alone.
    QPainter painter(this);
    painter.drawImage(0, 0, c.picture.Image());
  }

  void mousePressEvent(QMouseEvent* event) override { Down(event, 0); }
  void mouseDoubleClickEvent(QMouseEvent* event) override { Down(event, ssDouble); }

  void mouseMoveEvent(QMouseEvent* event) override {
    if (!m_owner) return;
    const QPoint p = event->position().toPoint();
    const TShiftState shift = ShiftOf(event->modifiers(), event->buttons());
    RunReportingErrors([&] { m_owner->MouseMove(shift, p.x(), p.y()); });
  }

  void mouseReleaseEvent(QMouseEvent* event) override {
    TMouseButton button;
    if (!m_owner || !ButtonOf(event->button(), &button)) return;
    m_owner->m_cimpl->captured = event->buttons() != Qt::NoButton;
    const QPoint p = event->position().toPoint();
    const TShiftState shift = ShiftOf(event->modifiers(), event->buttons());
    RunReportingErrors([&] { m_owner->MouseUp(button, shift, p.x(), p.y()); });
  }

  void keyPressEvent(QKeyEvent* event) override {
    TKey key = KeyOf(event->key());
    if (m_owner && key != 0) {
      const TShiftState shift = ShiftOf(event->modifiers(), Qt::NoButton);
      RunReportingErrors([&] { m_owner->KeyDown(key, shift); });
      if (key == 0) return;  // taken
    }
    QWidget::keyPressEvent(event);
  }

  void contextMenuEvent(QContextMenuEvent* event) override {
    bool taken = false;
    const bool byKeyboard = event->reason() == QContextMenuEvent::Keyboard;
    if (m_owner) RunReportingErrors([&] { taken = m_owner->ContextPopup(event->x(), event->y(), byKeyboard); });
    if (!taken) QWidget::contextMenuEvent(event);
  }

  void leaveEvent(QEvent*) override {
    if (m_owner) RunReportingErrors([&] { m_owner->MouseLeave(); });
  }

  void wheelEvent(QWheelEvent* event) override {
    if (!m_owner) return;
    const QPoint p = event->position().toPoint();
    const int delta = event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
    const TShiftState shift = ShiftOf(event->modifiers(), event->buttons());
    RunReportingErrors([&] { m_owner->MouseWheel(shift, delta, p.x(), p.y()); });
  }

 private:
  void Down(QMouseEvent* event, TShiftState extra) {
    TMouseButton button;
    if (!m_owner || !ButtonOf(event->button(), &button)) return;
    m_owner->m_cimpl->captured = true;  // Qt grabs the mouse until the last button is up
    const QPoint p = event->position().toPoint();
    const TShiftState shift = ShiftOf(event->modifiers(), event->buttons()) | extra;
    RunReportingErrors([&] { m_owner->MouseDown(button, shift, p.x(), p.y()); });
  }

  TCustomControl* m_owner = nullptr;
};

TCustomControl::TCustomControl(TWinControl* parent)
    : TWinControl(new CustomControlWidget, parent), m_cimpl(std::make_unique<Impl>([this] { FlushPicture(); })) {
  static_cast<CustomControlWidget*>(Widget())->SetOwner(this);
}

TCustomControl::~TCustomControl() {
  if (Widget()) static_cast<CustomControlWidget*>(Widget())->SetOwner(nullptr);
}

const TBitmap& TCustomControl::ControlBitmap() {
  FlushPicture();
  return m_cimpl->picture;
}

TBitmap& TCustomControl::WindowBitmap() {
  FlushPicture();
  m_cimpl->FitPicture(*Widget());
  return m_cimpl->picture;
}

void TCustomControl::UpdateWindow() {
  if (!m_cimpl->inPaint) Widget()->update();
}

void TCustomControl::RequestPicture(TPictureArea area) {
  Impl& c = *m_cimpl;
  c.Want(area);
  // Renders about the pace apart cost the window system as much as any
  // other update: sharing one halves the wake-ups and updates of a slow
  // picture beside the busy indicator.
  const TFrameRider::Clock::time_point from = std::max(TFrameRider::Clock::now(), c.rendered + c.pace);
  c.frame.RideFrameBetween(from, from + c.pace);
}

void TCustomControl::SetPicturePace(std::chrono::milliseconds pace) { m_cimpl->pace = pace; }

void TCustomControl::PictureMoved(const TRect& rect, int dx) { m_cimpl->changes.push_back({rect, dx}); }

void TCustomControl::PictureChanged(const TRect& rect) { m_cimpl->changes.push_back({rect, 0}); }

void TCustomControl::FlushPicture() {
  Impl& c = *m_cimpl;
  if (!c.pending) return;
  const TPictureArea area = *c.pending;
  c.pending.reset();
  c.frame.Cancel();
  c.rendered = TFrameRider::Clock::now();
  c.changes.clear();
  RenderPicture(area);
  if (c.inPaint) return;
  QWidget& widget = *Widget();
  if (c.changes.empty()) {
    widget.update();
    return;
  }
  // Qt moves what the screen shows along with any part still waiting for
  // its repaint, which then shows the picture as it is now.
  for (const Impl::TChange& change : c.changes) {
    const QRect rect(change.rect.Left, change.rect.Top, change.rect.Width(), change.rect.Height());
    if (change.dx != 0) {
      widget.scroll(change.dx, 0, rect);
    } else {
      widget.update(rect);
    }
  }
}

bool TCustomControl::HandleAllocated() const { return m_cimpl->created; }

void TCustomControl::HandleNeeded() {
  if (m_cimpl->created) return;
  m_cimpl->created = true;
  CreateWnd();
}

void TCustomControl::Invalidate() {
  m_cimpl->stale = true;
  Widget()->update();
}

bool TCustomControl::MouseCaptured() const { return m_cimpl->captured; }

void TCustomControl::KeyDown(TKey& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

bool TCustomControl::ContextPopup(int x, int y, bool byKeyboard) {
  if (!OnContextPopup) return false;
  OnContextPopup(this, x, y, byKeyboard);
  return true;
}

}  // namespace kurvex
