// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/panel.h"

#include <QContextMenuEvent>
#include <QFrame>

#include "platform/windows/accessibleinterface.h"

namespace kurvex {

namespace {

// Qt reports a frame as a border, which screen readers announce as a window
// frame; a panel is a pane that groups controls.
class PanelWidget : public QFrame {
 public:
  PanelWidget() { UseAccessibleInterface<PanelWidget, TRoleAccessible<QAccessible::Pane>>(); }
  std::function<bool(int x, int y, bool byKeyboard)> onContextMenu;

 protected:
  // Asked on the panel or on a control in it that does not answer itself.
  void contextMenuEvent(QContextMenuEvent* event) override {
    if (onContextMenu && onContextMenu(event->pos().x(), event->pos().y(), event->reason() == QContextMenuEvent::Keyboard)) {
      event->accept();
      return;
    }
    event->ignore();
  }
};

}  // namespace

TPanel::TPanel(TWinControl* parent) : TWinControl(new PanelWidget, parent) {
  ApplyBevels();
  static_cast<PanelWidget*>(Widget())->onContextMenu = [this](int x, int y, bool byKeyboard) {
    if (!OnContextPopup) return false;
    OnContextPopup(this, x, y, byKeyboard);
    return true;
  };
}

void TPanel::SetBevelOuter(TBevelCut bevel) {
  m_outer = bevel;
  ApplyBevels();
}

void TPanel::SetBevelInner(TBevelCut bevel) {
  m_inner = bevel;
  ApplyBevels();
}

void TPanel::ApplyBevels() {
  auto* frame = static_cast<QFrame*>(Widget());
  const TBevelCut first = m_outer != bvNone ? m_outer : m_inner;
  const TBevelCut second = m_outer != bvNone ? m_inner : bvNone;
  if (first == bvNone) {
    frame->setFrameStyle(QFrame::NoFrame);
    return;
  }
  const QFrame::Shadow shadow = first == bvRaised ? QFrame::Raised : QFrame::Sunken;
  if (second == bvNone || second == first) {
    // One bevel, or two alike: a plain panel edge one or two pixels wide.
    frame->setFrameStyle(QFrame::Panel | shadow);
    frame->setLineWidth(second == bvNone ? 1 : 2);
  } else {
    // Outer and inner opposite: a ridge (raised outside) or a groove.
    frame->setFrameStyle(QFrame::Box | shadow);
    frame->setLineWidth(1);
    frame->setMidLineWidth(0);
  }
}

}  // namespace kurvex
