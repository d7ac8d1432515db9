#include "platform/statusbar.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>

namespace kurvex {

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

TStatusPanel& TStatusPanels::Add(int width) {
  auto* label = new QLabel(m_bar);
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
