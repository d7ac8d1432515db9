// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/numedit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>
#include <memory>
#include <optional>

#include "platform/system/eventguard.h"
#include "platform/drawing/qtconvert.h"

namespace kurvex {

namespace {

// The character a key press types, as the rules know keys; nothing for keys
// that only move the caret or select, which stay with the edit control.
std::optional<char32_t> KeyCharacter(const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  const bool ctrl = modifiers & Qt::ControlModifier;
  switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return ctrl ? kKeyCtrlEnter : kKeyEnter;
    case Qt::Key_Escape:
      return kKeyEscape;
    case Qt::Key_Backspace:
      return kKeyBackspace;
    default:
      break;
  }
  if (modifiers & (Qt::AltModifier | Qt::MetaModifier)) return std::nullopt;
  if (ctrl) {
    if (event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z) {
      return static_cast<char32_t>(event.key() - Qt::Key_A + 1);
    }
    return std::nullopt;
  }
  const QString text = event.text();
  if (text.size() != 1 || !text[0].isPrint()) return std::nullopt;
  return text[0].unicode();
}

// Focus that comes and goes with a popup or with the window's activation is
// no entering or leaving of the field.
bool MovesBetweenControls(const QFocusEvent& event) {
  return event.reason() != Qt::PopupFocusReason && event.reason() != Qt::ActiveWindowFocusReason;
}

}  // namespace

// The Qt edit control: every way text gets in is routed to the owner's rules.
class TNumEdit::LineEdit : public QLineEdit {
 public:
  explicit LineEdit(TNumEdit& owner) : m_owner(owner) {
    // Dropped or composed text would bypass the rules.
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    connect(this, &QLineEdit::textChanged, this,
            [this] { RunReportingErrors([this] { m_owner.Validate(); }); });
  }

  void PasteClipboard() {
    const std::string clipboard = QGuiApplication::clipboard()->text().toLatin1().toStdString();
    RunReportingErrors([&] { m_owner.HandlePaste(clipboard); });
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->matches(QKeySequence::Paste)) {
      PasteClipboard();
      return;
    }
    if (event->key() == Qt::Key_Delete && !(event->modifiers() & Qt::ShiftModifier)) {
      m_owner.HandleDelete();
      return;
    }
    const std::optional<char32_t> key = KeyCharacter(*event);
    if (!key) {
      QLineEdit::keyPressEvent(event);
      return;
    }
    switch (m_owner.HandleKey(*key, event->modifiers() & Qt::ControlModifier)) {
      case KeyAction::ToParent:
        event->ignore();  // propagates to the parent widget
        return;
      case KeyAction::Platform:
        QLineEdit::keyPressEvent(event);
        return;
      case KeyAction::Refused:
      case KeyAction::Edited:
        return;
    }
  }

  void focusInEvent(QFocusEvent* event) override {
    QLineEdit::focusInEvent(event);
    if (MovesBetweenControls(*event)) m_owner.HandleFocusIn();
  }

  void focusOutEvent(QFocusEvent* event) override {
    QLineEdit::focusOutEvent(event);
    if (MovesBetweenControls(*event)) RunReportingErrors([this] { m_owner.HandleFocusOut(); });
  }

  void contextMenuEvent(QContextMenuEvent* event) override {
    const std::unique_ptr<QMenu> menu(createStandardContextMenu());
    // The menu's paste item is the one wired to the edit control's paste.
    for (QAction* action : menu->actions()) {
      if (disconnect(action, SIGNAL(triggered()), this, SLOT(paste()))) {
        connect(action, &QAction::triggered, this, [this] { PasteClipboard(); });
      }
    }
    menu->exec(event->globalPos());
  }

  // The selection paste of the middle button would bypass the rules.
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() != Qt::MiddleButton) QLineEdit::mouseReleaseEvent(event);
  }

 private:
  TNumEdit& m_owner;
};

TNumEdit::TNumEdit(TWinControl* parent) : TWinControl(new LineEdit(*this), parent) {
  m_settings.Separators = CurrentSeparators();
}

TNumEdit::~TNumEdit() = default;

TNumEdit::LineEdit* TNumEdit::Line() const { return static_cast<LineEdit*>(Widget()); }

void TNumEdit::SetEditType(TEditType type) { m_settings.EditType = type; }
void TNumEdit::SetPrecision(int precision) { m_settings.Precision = precision; }
void TNumEdit::SetLengthLimit(int limit) { m_settings.LengthLimit = std::max(limit, 0); }
void TNumEdit::SetSigned(bool isSigned) { m_settings.Signed = isSigned; }
void TNumEdit::SetAllowNumericNullValue(bool allow) { m_settings.AllowNumericNullValue = allow; }
void TNumEdit::SetSeparators(LocaleSeparators separators) { m_settings.Separators = separators; }
void TNumEdit::SetAutoSelect(bool autoSelect) { m_autoSelect = autoSelect; }

void TNumEdit::SetPrefix(const std::string& prefix) {
  const std::string value = Text();
  m_prefix = prefix;
  Display(value);
}

void TNumEdit::SetSuffix(const std::string& suffix) {
  const std::string value = Text();
  m_suffix = suffix;
  Display(value);
}

std::string TNumEdit::Text() const {
  QString text = Line()->text();
  const QString prefix = QString::fromStdString(m_prefix);
  if (text.startsWith(prefix)) text.remove(0, prefix.size());
  text.chop(QString::fromStdString(m_suffix).size());
  return text.toStdString();
}

void TNumEdit::SetText(const std::string& text) { Display(CanonicalText(text, m_settings)); }

bool TNumEdit::Modified() const { return Line()->isModified(); }
void TNumEdit::SetModified(bool modified) { Line()->setModified(modified); }

// Replaces the whole text, which also clears the modified flag.
void TNumEdit::Display(const std::string& value) {
  Line()->setText(QString::fromStdString(m_prefix + value + m_suffix));
}

// The rules see the value as 8-bit text, one byte per character, so their
// positions are the edit control's.
EditState TNumEdit::CurrentState() const {
  const QLineEdit* line = Line();
  const int offset = static_cast<int>(QString::fromStdString(m_prefix).size());
  const QString value = QString::fromStdString(Text());
  const int start = line->hasSelectedText() ? line->selectionStart() : line->cursorPosition();
  const int length = line->hasSelectedText() ? static_cast<int>(line->selectionLength()) : 0;
  const int from = std::clamp(start - offset, 0, static_cast<int>(value.size()));
  const int to = std::clamp(start + length - offset, from, static_cast<int>(value.size()));
  return {value.toLatin1().toStdString(), from, to - from};
}

// Goes through the edit control's own insertion, so the change can be undone
// and marks the text modified.
void TNumEdit::ApplyEdit(const EditState& state) {
  QLineEdit* line = Line();
  const QString shown = QString::fromStdString(m_prefix) + QString::fromLatin1(state.Text) +
                        QString::fromStdString(m_suffix);
  if (shown != line->text()) {
    line->selectAll();
    line->insert(shown);
  }
  const int offset = static_cast<int>(QString::fromStdString(m_prefix).size());
  if (state.SelLength > 0) {
    line->setSelection(offset + state.SelStart, state.SelLength);
  } else {
    line->setCursorPosition(offset + state.SelStart);
  }
}

// The canonical form a field takes on leaving, without touching the modified
// flag; like typing it can be undone.
void TNumEdit::Reformat() {
  const std::string text = Text();
  const std::string left = LeaveText(text, m_settings);
  if (left == text) return;
  const bool modified = Modified();
  ApplyEdit({left, static_cast<int>(left.size()), 0});
  SetModified(modified);
}

KeyAction TNumEdit::HandleKey(char32_t key, bool ctrl) {
  const KeyResult result = TypeKey(CurrentState(), key, ctrl, m_settings);
  if (result.Action == KeyAction::Edited) ApplyEdit(result.State);
  return result.Action;
}

void TNumEdit::HandleDelete() {
  if (const std::optional<EditState> after = DeleteKey(CurrentState(), m_settings)) ApplyEdit(*after);
}

void TNumEdit::HandlePaste(const std::string& clipboard) {
  const std::optional<EditState> after = PasteText(CurrentState(), clipboard, m_settings);
  if (!after) return;
  ApplyEdit(*after);
  Reformat();
}

void TNumEdit::HandleFocusIn() {
  m_focusText = Text();
  QLineEdit* line = Line();
  if (m_autoSelect) {
    line->setSelection(static_cast<int>(QString::fromStdString(m_prefix).size()),
                       static_cast<int>(QString::fromStdString(m_focusText).size()));
  } else {
    line->deselect();  // the edit control selects all on Tab by itself
  }
}

void TNumEdit::HandleFocusOut() { Reformat(); }

void TNumEdit::SetShowError(bool show) {
  m_showError = show;
  if (show) {
    Validate();
  } else {
    SetErrorState(false);
  }
}

void TNumEdit::SetErrorColor(TColor color) {
  m_errorColor = color;
  SetErrorState(m_inError);
}

void TNumEdit::SetErrorFontColor(TColor color) {
  m_errorFontColor = color;
  SetErrorState(m_inError);
}

void TNumEdit::Validate() {
  if (!m_showError) return;
  bool valid = true;
  if (OnValueValidate) OnValueValidate(this, Text(), valid);
  SetErrorState(!valid);
}

void TNumEdit::SetErrorState(bool inError) {
  m_inError = inError;
  QPalette palette;  // empty: the inherited colours
  if (inError) {
    palette = Line()->palette();
    palette.setColor(QPalette::Base, ToQColor(m_errorColor));
    palette.setColor(QPalette::Text, ToQColor(m_errorFontColor));
  }
  Line()->setPalette(palette);
}

}  // namespace kurvex
