// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/label.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>

#include <functional>

#include "platform/drawing/qtconvert.h"
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
  // The control this label names; the caption that names this one beside its focus control.
  QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
      QAccessible::Relation match) const override;
};

// Reports font changes, including those inherited from the parent, so an
// auto-sized label can follow them.
class LabelWidget : public QLabel {
 public:
  LabelWidget() { UseAccessibleInterface<LabelWidget, LabelAccessible>(); }
  std::function<void()> onFontChange;
  std::function<void()> onDoubleClick;
  QPointer<QWidget> labelledBy;

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

QList<QPair<QAccessibleInterface*, QAccessible::Relation>> LabelAccessible::relations(
  QAccessible::Relation match) const {
  auto found = QAccessibleWidget::relations(match);
  QWidget* buddy = static_cast<QLabel*>(widget())->buddy();
  if ((match & QAccessible::Labelled) && buddy) {
    if (QAccessibleInterface* named = QAccessible::queryAccessibleInterface(buddy))
      found.append({named, QAccessible::Labelled});
  }
  QWidget* caption = static_cast<LabelWidget*>(widget())->labelledBy;
  if ((match & QAccessible::Label) && caption) {
    if (QAccessibleInterface* naming = QAccessible::queryAccessibleInterface(caption))
      found.append({naming, QAccessible::Label});
  }
  return found;
}

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

std::string PlainText(const std::vector<TTextPart>& parts) {
  std::string text;
  for (const TTextPart& part : parts) text += part.Text;
  return text;
}

void TLabel::SetCaption(const std::string& caption) {
  m_markup = {};
  // A label that sizes itself must show the text at once; a fixed-size one
  // (a value shown per sample) hands it over at a frame (TDeferredText).
  if (m_autoSize)
    ApplyCaption(caption);
  else
    m_caption.Set(caption);
}

void TLabel::SetCaptionSource(TTextSource source) {
  m_markup = {};
  if (m_autoSize)
    ApplyCaption(source());
  else
    m_caption.SetSource(std::move(source));
}

void TLabel::SetCaptionParts(const std::vector<TTextPart>& parts) {
  QString markup;
  for (const TTextPart& part : parts) {
    const QString text = QString::fromStdString(part.Text).toHtmlEscaped();
    markup += part.Color ? QString("<span style=\"color:%1\">%2</span>").arg(ToQColor(*part.Color).name(), text) : text;
  }
  m_markup = {PlainText(parts), markup.toStdString()};
  if (m_autoSize)
    ApplyCaption(m_markup.Plain);
  else
    m_caption.Set(m_markup.Plain);
}

void TLabel::ApplyCaption(const std::string& caption) {
  // A value that did not change since the last frame is not sent again.
  QLabel* label = Label(Widget());
  const bool rich = !m_markup.Rich.empty() && caption == m_markup.Plain;
  const Qt::TextFormat format = rich ? Qt::RichText : Qt::AutoText;
  const QString text = QString::fromStdString(rich ? m_markup.Rich : caption);
  if (text == label->text() && format == label->textFormat()) return;
  label->setTextFormat(format);
  label->setText(text);
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
  if (!m_autoSize) return m_caption.Text();
  return m_markup.Rich.empty() ? Label(Widget())->text().toStdString() : m_markup.Plain;
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

// Qt counts a widget that fills its background as opaque and then paints
// nothing beneath it.
void TLabel::SetTransparent(bool transparent) { Widget()->setAutoFillBackground(!transparent); }

bool TLabel::Transparent() const { return !Widget()->autoFillBackground(); }

void TLabel::SetFocusControl(TWinControl* control) {
  m_focusControl = control;
  Label(Widget())->setBuddy(control ? control->Widget() : nullptr);
  if (NamesFocusControl()) control->SetCaptionAccessibleName(Caption());
}

void TLabel::SetLabelledBy(TLabel& caption) { static_cast<LabelWidget*>(Widget())->labelledBy = caption.Widget(); }

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
