#include "platform/statusbar.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

namespace kurvex {

namespace {

// A panel's label; one that fills the rest of the bar shortens a long text
// in the middle, so its beginning and its end (a count, say) stay visible.
class PanelLabel : public QLabel {
 public:
  using QLabel::QLabel;
  bool ElideMiddle = false;

 protected:
  void paintEvent(QPaintEvent* event) override {
    if (!ElideMiddle) {
      QLabel::paintEvent(event);
      return;
    }
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect();
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width()));
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
void TStatusPanel::SetWidth(int width) { m_label->setFixedWidth(width); }
void TStatusPanel::SetAccessibleDescription(const std::string& description) {
  m_label->setAccessibleDescription(QString::fromStdString(description));
}

void TStatusPanel::FillRest(int minWidth) {
  static_cast<PanelLabel*>(m_label)->ElideMiddle = true;
  m_label->setMinimumWidth(minWidth);
  m_label->setMaximumWidth(QWIDGETSIZE_MAX);
  m_label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  auto* layout = static_cast<QHBoxLayout*>(m_label->parentWidget()->layout());
  layout->setStretchFactor(m_label, 1);
  // The stretch at the end that kept the panels at the left has nothing left to do.
  layout->setStretch(layout->count() - 1, 0);
}

TStatusPanel& TStatusPanels::Add(int width) {
  auto* label = new PanelLabel(m_bar);
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  auto* layout = static_cast<QHBoxLayout*>(m_bar->layout());
  // Before the stretch that keeps the panels at the left.
  layout->insertWidget(layout->count() - 1, label);
  m_panels.push_back(std::make_unique<TStatusPanel>(label));
  m_panels.back()->SetWidth(width);
  return *m_panels.back();
}

TStatusBar::TStatusBar(TWinControl* parent) : TWinControl(new QFrame, parent), m_panels(Widget()) {
  auto* layout = new QHBoxLayout(Widget());
  layout->setContentsMargins(0, 2, 0, 0);
  layout->setSpacing(2);
  layout->addStretch(1);
  SetAccessibleName("Statusleiste");
  SetHeight(QLabel().sizeHint().height() + 6);
  SetAlign(alBottom);
}

}  // namespace kurvex
