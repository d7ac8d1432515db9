#include "platform/statusbar.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QToolTip>

#include "platform/accessibleinterface.h"

namespace kurvex {

namespace {

// A frame would be announced as a window frame.
class StatusBarWidget : public QFrame {
 public:
  StatusBarWidget() { UseAccessibleInterface<StatusBarWidget, TRoleAccessible<QAccessible::StatusBar>>(); }
};

// A panel whose text is cut shows it whole when the mouse rests on it. The
// tip is not the widget's tool tip, which screen readers would read as a
// description, saying the text twice.
class PanelLabel : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  bool event(QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return QLabel::event(event);
    if (fontMetrics().horizontalAdvance(text()) > contentsRect().width()) {
      QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
    } else {
      QToolTip::hideText();
      event->ignore();
    }
    return true;
  }
};

}  // namespace

TStatusPanel::TStatusPanel(QLabel* label)
    : m_label(label),
      m_text(label, [label](const std::string& text) { label->setText(QString::fromStdString(text)); }) {}

std::string TStatusPanel::Text() const { return m_text.Text(); }
void TStatusPanel::SetText(const std::string& text) { m_text.Set(text); }
void TStatusPanel::SetTextSource(TTextSource source) { m_text.SetSource(std::move(source)); }
int TStatusPanel::Width() const { return m_label->width(); }
void TStatusPanel::SetWidth(int width, TStatusPanelWidth mode) {
  if (mode == pwFixed) {
    m_label->setFixedWidth(width);
  } else {
    m_label->setMinimumWidth(width);
    m_label->setMaximumWidth(QWIDGETSIZE_MAX);
    // A filling panel leaves its text out of the sums, so a long text is cut
    // instead of squeezing the other panels or widening the window.
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
  SetAccessibleName("Statusleiste");
  SetHeight(QLabel().sizeHint().height() + 6);
  SetAlign(alBottom);
}

}  // namespace kurvex
