// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/statusbar.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QToolTip>
#include <algorithm>
#include <optional>

#include "platform/windows/accessibleinterface.h"
#include "platform/system/translate.h"

namespace kurvex {

namespace {

// A frame would be announced as a window frame.
class StatusBarWidget : public QFrame {
 public:
  StatusBarWidget() { UseAccessibleInterface<StatusBarWidget, TRoleAccessible<QAccessible::StatusBar>>(); }
};

// Shows a text of three parts, head, middle and tail; when the whole does
// not fit, the middle (a file name or a device path) is shortened in its
// middle, so what the head and tail say (a count, a program and its PID)
// stays in view. The panel is never narrower than head and tail need.
// A shortened text shows whole when the mouse rests on it. The tip is not
// the widget's tool tip, which screen readers would read as a description,
// saying the text twice; they read the whole text as the name.
class PanelLabel : public QLabel {
 public:
  using QLabel::QLabel;

  void Show(const QString& head, const QString& middle, const QString& tail) {
    // A count changes with every frame, its width seldom: the layout is
    // asked again only when the width the panel wants changed.
    if (head == m_head && middle == m_middle && tail == m_tail) return;
    m_head = head;
    m_middle = middle;
    m_tail = tail;
    const int wanted = WholeWidth();
    UpdateMinimumWidth();
    Fit();
    if (wanted == m_wantedWidth) return;
    m_wantedWidth = wanted;
    updateGeometry();
  }
  /// The width the panel keeps whatever its text; no text changes it when fixed.
  void SetLeastWidth(int width, bool fixed) {
    m_leastWidth = width;
    m_fixed = fixed;
    if (fixed) {
      setFixedWidth(width);
    } else {
      setMaximumWidth(QWIDGETSIZE_MAX);
      UpdateMinimumWidth();
    }
  }
  QSize sizeHint() const override { return {WholeWidth() + Overhead(), QLabel::sizeHint().height()}; }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QLabel::resizeEvent(event);
    Fit();
  }
  void changeEvent(QEvent* event) override {
    if (event->type() == QEvent::FontChange) m_measured = {};
    QLabel::changeEvent(event);
  }
  bool event(QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return QLabel::event(event);
    if (text() != Whole() || TextWidth(text()) > TextRoom()) {
      QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), Whole(), this);
    } else {
      QToolTip::hideText();
      event->ignore();
    }
    return true;
  }

 private:
  QString Whole() const { return m_head + m_middle + m_tail; }
  int TextWidth(const QString& text) const { return fontMetrics().horizontalAdvance(text); }
  // The whole text's width. Shaping a text is most of what a changed count
  // costs, and a count's width changes only with its number of digits in a
  // font whose digits share one advance, as nearly every interface font's
  // do: a text that differs from the last one measured only in its digits
  // has that one's width.
  int WholeWidth() const {
    const QString whole = Whole();
    QString shape = whole;
    for (QChar& c : shape)
      if (c >= u'0' && c <= u'9') c = u'0';
    if (shape != m_measured.Shape || !DigitsAlike()) {
      m_measured.Shape = shape;
      m_measured.Width = TextWidth(whole);
    }
    return m_measured.Width;
  }
  bool DigitsAlike() const {
    if (!m_measured.DigitsAlike) {
      const int zero = fontMetrics().horizontalAdvance(QChar(u'0'));
      bool alike = true;
      for (char16_t digit = u'1'; digit <= u'9'; ++digit)
        alike = alike && fontMetrics().horizontalAdvance(QChar(digit)) == zero;
      m_measured.DigitsAlike = alike;
    }
    return *m_measured.DigitsAlike;
  }
  // Frame, margins and indent: what QLabel adds to its text's width (its
  // own size hint cannot tell, as it grows with the minimum width).
  int Overhead() const {
    int indentWidth = indent();
    if (indentWidth < 0 && frameWidth() > 0) indentWidth = std::max(XWidth() - 2 * margin(), 0);
    indentWidth = std::max(indentWidth, 0);
    return width() - contentsRect().width() + 2 * margin() + indentWidth;
  }
  // Measured once per font: every changed count asks for the overhead.
  int XWidth() const {
    if (!m_measured.XWidth) m_measured.XWidth = TextWidth(QStringLiteral("x"));
    return *m_measured.XWidth;
  }
  int TextRoom() const { return width() - Overhead(); }

  void UpdateMinimumWidth() {
    if (m_fixed) return;
    const int kept = !m_middle.isEmpty() ? TextWidth(m_head + QChar(0x2026) + m_tail) : WholeWidth();
    setMinimumWidth(std::max(m_leastWidth, kept + Overhead()));
  }
  void Fit() {
    QString shown = Whole();
    if (!m_middle.isEmpty() && TextWidth(shown) > TextRoom()) {
      const int room = std::max(TextRoom() - TextWidth(m_head + m_tail), 0);
      shown = m_head + fontMetrics().elidedText(m_middle, Qt::ElideMiddle, room) + m_tail;
    }
    if (shown != text()) setText(shown);
    const QString name = shown == Whole() ? QString() : Whole();
    if (name != accessibleName()) setAccessibleName(name);
  }

  QString m_head;
  QString m_middle;
  QString m_tail;
  int m_leastWidth = 0;
  int m_wantedWidth = -1;  // the whole text's width when the layout last asked
  // Measurements in the current font, dropped when it changes.
  struct Measured {
    std::optional<QString> Shape;  // the text last measured, its digits as 0
    int Width = 0;                 // its width
    std::optional<bool> DigitsAlike;
    std::optional<int> XWidth;
  };
  mutable Measured m_measured;
  bool m_fixed = true;
};

}  // namespace

TStatusPanel::TStatusPanel(QLabel* label)
    : m_label(label), m_text(label, [this](const std::string& text) { Show(text); }) {}

std::string TStatusPanel::Text() const { return m_text.Text(); }
void TStatusPanel::SetText(const std::string& text) { SetText(text, {}, {}); }
void TStatusPanel::SetText(const std::string& head, const std::string& middle, const std::string& tail) {
  m_head = head;
  m_middle = middle;
  m_tail = tail;
  m_text.Set(head + middle + tail);
}
void TStatusPanel::SetTextSource(TTextSource source) { m_text.SetSource(std::move(source)); }
void TStatusPanel::Show(const std::string& text) {
  auto* label = static_cast<PanelLabel*>(m_label);
  if (text.size() == m_head.size() + m_middle.size() + m_tail.size() && text == m_head + m_middle + m_tail) {
    label->Show(QString::fromStdString(m_head), QString::fromStdString(m_middle), QString::fromStdString(m_tail));
  } else {  // a text from its source
    label->Show(QString::fromStdString(text), {}, {});
  }
}
int TStatusPanel::Width() const { return m_label->width(); }
void TStatusPanel::SetWidth(int width, TStatusPanelWidth mode) {
  static_cast<PanelLabel*>(m_label)->SetLeastWidth(width, mode == pwFixed);
  if (mode != pwFixed) {
    // A filling panel leaves its text out of the sums, so a long text is
    // shortened instead of squeezing the other panels or widening the window.
    m_label->setSizePolicy(mode == pwFill ? QSizePolicy::Ignored : QSizePolicy::Preferred, QSizePolicy::Preferred);
  }
  static_cast<QBoxLayout*>(m_label->parentWidget()->layout())->setStretchFactor(m_label, mode == pwFill ? 1 : 0);
}
void TStatusPanel::SetAccessibleDescription(const std::string& description) {
  m_label->setAccessibleDescription(QString::fromStdString(description));
}

TStatusPanel& TStatusPanels::Add(int width, TStatusPanelWidth mode) {
  auto* label = new PanelLabel(m_bar);
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  // Opaque: a count that changes repaints its panel alone, not the bar beneath.
  label->setAutoFillBackground(true);
  auto* layout = static_cast<QHBoxLayout*>(m_bar->layout());
  // Before the stretch that keeps the panels at the left.
  layout->insertWidget(layout->count() - 1, label);
  m_panels.push_back(std::make_unique<TStatusPanel>(label));
  m_panels.back()->SetWidth(width, mode);
  return *m_panels.back();
}

TStatusBar::TStatusBar(TWinControl* parent) : TWinControl(new StatusBarWidget, parent), m_panels(Widget()) {
  auto* layout = new QHBoxLayout(Widget());
  layout->setContentsMargins(0, 2, 0, 0);
  layout->setSpacing(2);
  // Takes the room no panel takes; a filling panel, which stretches, leaves none.
  layout->addStretch();
  SetAccessibleName(Tr("Dialogs", "Statusleiste"));
  SetHeight(QLabel().sizeHint().height() + 6);
  SetAlign(alBottom);
}

}  // namespace kurvex
