// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/label.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

#include <functional>

#include "platform/windows/accessibleinterface.h"

namespace kurvex {

namespace {

// A label says its own text. Qt would name an empty one after the label
// that names it, so a value not yet shown would be read as its caption.
class LabelAccessible : public QAccessibleWidget {
 public:
  explicit LabelAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return widget()->accessibleName();
    return QAccessibleWidget::text(t);
  }
  // The control this label names.
  QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
      QAccessible::Relation match) const override {
    auto found = QAccessibleWidget::relations(match);
    QWidget* buddy = static_cast<QLabel*>(widget())->buddy();
    if ((match & QAccessible::Labelled) && buddy) {
      if (QAccessibleInterface* named = QAccessible::queryAccessibleInterface(buddy))
        found.append({named, QAccessible::Labelled});
    }
    return found;
  }
};

// Reports font changes, including those inherited from the parent, so an
// auto-sized label can follow them.
class LabelWidget : public QLabel {
 public:
  LabelWidget() { UseAccessibleInterface<LabelWidget, LabelAccessible>(); }
  std::function<void()> onFontChange;
  std::function<void()> onDoubleClick;

 protected:
  void changeEvent(QEvent* event) override {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange && onFontChange) onFontChange();
  }
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && onDoubleClick) {
      onDoubleClick();
      return;
    }
    QLabel::mouseDoubleClickEvent(event);
  }
};

QLabel* Label(QWidget* widget) { return static_cast<QLabel*>(widget); }

Qt::Alignment ToQt(TAlignment alignment) {
  switch (alignment) {
    case taRightJustify: return Qt::AlignRight | Qt::AlignTop;
    case taCenter: return Qt::AlignHCenter | Qt::AlignTop;
    default: return Qt::AlignLeft | Qt::AlignTop;
  }
}

}  // namespace

TLabel::TLabel(TWinControl* parent)
    : TWinControl(new LabelWidget, parent),
      m_caption(Widget(), [this](const std::string& caption) { ApplyCaption(caption); }) {
  Label(Widget())->setAlignment(ToQt(m_alignment));
  static_cast<LabelWidget*>(Widget())->onFontChange = [this] { AdjustSize(); };
  static_cast<LabelWidget*>(Widget())->onDoubleClick = [this] {
    if (OnDblClick) OnDblClick(this);
  };
}

void TLabel::SetCaption(const std::string& caption) {
  // A label that sizes itself must show the text at once; a fixed-size one
  // (a value shown per sample) hands it over at a frame (TDeferredText).
  if (m_autoSize)
    ApplyCaption(caption);
  else
    m_caption.Set(caption);
}

void TLabel::SetCaptionSource(TTextSource source) {
  if (m_autoSize)
    ApplyCaption(source());
  else
    m_caption.SetSource(std::move(source));
}

void TLabel::ApplyCaption(const std::string& caption) {
  // A value that did not change since the last frame is not sent again.
  const QString text = QString::fromStdString(caption);
  if (text == Label(Widget())->text()) return;
  Label(Widget())->setText(text);
  SetCaptionAccessibleName(caption);
  if (NamesFocusControl()) m_focusControl->SetCaptionAccessibleName(caption);
  AdjustSize();
}

// A label that shows a value keeps its text as its name; the labelled-by
// relation, which Qt derives from the buddy, says whose value it is.
bool TLabel::NamesFocusControl() const {
  return m_focusControl && !qobject_cast<QLabel*>(m_focusControl->Widget());
}

std::string TLabel::Caption() const {
  return m_autoSize ? Label(Widget())->text().toStdString() : m_caption.Text();
}

void TLabel::SetAlignment(TAlignment alignment) {
  m_alignment = alignment;
  Label(Widget())->setAlignment(ToQt(alignment));
}

TAlignment TLabel::Alignment() const { return m_alignment; }

void TLabel::SetWordWrap(bool wrap) {
  Label(Widget())->setWordWrap(wrap);
  AdjustSize();
}

bool TLabel::WordWrap() const { return Label(Widget())->wordWrap(); }

void TLabel::SetAutoSize(bool autoSize) {
  if (autoSize == m_autoSize) return;
  const std::string caption = Caption();
  m_autoSize = autoSize;
  // The caption moves between the widget and the deferred store.
  if (autoSize)
    ApplyCaption(caption);
  else
    m_caption.Set(caption);
}

bool TLabel::AutoSize() const { return m_autoSize; }

void TLabel::SetFocusControl(TWinControl* control) {
  m_focusControl = control;
  Label(Widget())->setBuddy(control ? control->Widget() : nullptr);
  if (NamesFocusControl()) control->SetCaptionAccessibleName(Caption());
}

void TLabel::AdjustSize() {
  if (!m_autoSize) return;
  const QLabel* label = Label(Widget());
  if (label->wordWrap()) {
    SetBounds(Left(), Top(), Width(), label->heightForWidth(Width()));
  } else {
    const QSize size = label->sizeHint();
    SetBounds(Left(), Top(), size.width(), size.height());
  }
}

}  // namespace kurvex
