// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/control.h"

#include <QEvent>
#include <QFont>
#include <QFontInfo>
#include <QApplication>
#include <QPalette>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/drawing/qtconvert.h"
#include "platform/windows/cursor.h"

namespace kurvex {

// The layout code below needs the private state of parent and child alike.
struct ControlAccess {
  static void Place(TWinControl& child, int left, int top, int width, int height);
  static void Realign(TWinControl& parent);
  static void PlaceAnchored(TWinControl& child, int clientWidth, int clientHeight);
  static void Capture(TWinControl& control);
  static void OwnResized(TWinControl& control);
  static void ClientResized(TWinControl& control);
};

namespace {

// Watches the control's widget and its client widget: a resize that did not
// come from SetBounds (the user dragging a window frame, a test) has to go
// through SetBounds as well, and a new client size moves the children.
class LayoutFilter : public QObject {
 public:
  explicit LayoutFilter(TWinControl* owner) : m_owner(owner) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Resize) {
      if (watched == m_owner->Widget()) ControlAccess::OwnResized(*m_owner);
      if (watched == m_owner->ClientWidget()) ControlAccess::ClientResized(*m_owner);
    }
    return false;
  }

 private:
  TWinControl* m_owner;
};

std::string PlainCaption(const std::string& caption) {
  std::string plain;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;  // "&&" keeps one '&'
    plain += caption[i] == '\n' ? ' ' : caption[i];  // the lines of a caption are read as one
  }
  const auto first = plain.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return plain.substr(first, plain.find_last_not_of(' ') - first + 1);
}

}  // namespace

struct TWinControl::Impl {
  Impl(TWinControl* owner, QWidget* w) : widget(w), client(w), filter(owner) {}

  QPointer<QWidget> widget;
  QPointer<QWidget> client;
  TWinControl* parent = nullptr;
  std::vector<TWinControl*> children;  // creation order, which is also the align order
  TAnchors anchors = akLeft | akTop;
  TAlign align = alNone;
  // Bounds at the last explicit placement and the parent's client size then;
  // anchoring always starts from these, so a clamped size never drifts.
  TRect placed;
  QSize parentClientAtPlacement;
  bool placing = false;      // the running SetBounds comes from the parent's layout
  bool inSetBounds = false;  // resize events caused by SetBounds itself
  QSize lastSize;            // the size SetBounds gave the widget
  bool visible = true;
  bool accessibleNameExplicit = false;
  TCursor cursor = crDefault;
  QFont ownFont;  // only the attributes set here; the rest comes from the parent
  LayoutFilter filter;
};

void ControlAccess::Place(TWinControl& child, int left, int top, int width, int height) {
  if (child.Left() == left && child.Top() == top && child.Width() == width &&
      child.Height() == height) {
    return;
  }
  child.m_impl->placing = true;
  child.SetBounds(left, top, width, height);
  child.m_impl->placing = false;
}

void ControlAccess::Realign(TWinControl& parent) {
  const QWidget* client = parent.ClientWidget();
  if (!client) return;
  TRect rest{0, 0, client->width(), client->height()};
  // Copy: a handler-free SetBounds cannot change the list, but an override could.
  const std::vector<TWinControl*> children = parent.m_impl->children;
  for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (TWinControl* child : children) {
      if (child->m_impl->align != pass || !child->Visible()) continue;
      switch (pass) {
        case alTop:
          Place(*child, rest.Left, rest.Top, rest.Width(), child->Height());
          rest.Top += child->Height();
          break;
        case alBottom:
          Place(*child, rest.Left, rest.Bottom - child->Height(), rest.Width(), child->Height());
          rest.Bottom -= child->Height();
          break;
        case alLeft:
          Place(*child, rest.Left, rest.Top, child->Width(), rest.Height());
          rest.Left += child->Width();
          break;
        case alRight:
          Place(*child, rest.Right - child->Width(), rest.Top, child->Width(), rest.Height());
          rest.Right -= child->Width();
          break;
        default:
          Place(*child, rest.Left, rest.Top, rest.Width(), rest.Height());
          break;
      }
    }
  }
  for (TWinControl* child : children) {
    if (child->m_impl->align == alNone) PlaceAnchored(*child, client->width(), client->height());
  }
}

void ControlAccess::PlaceAnchored(TWinControl& child, int clientWidth, int clientHeight) {
  const TWinControl::Impl& c = *child.m_impl;
  const TRect& p = c.placed;
  const int dx = clientWidth - c.parentClientAtPlacement.width();
  const int dy = clientHeight - c.parentClientAtPlacement.height();
  auto stretch = [](TAnchors a, TAnchors lead, TAnchors trail, int pos, int size, int delta) {
    if ((a & lead) && (a & trail)) return std::pair{pos, size + delta};
    if (a & trail) return std::pair{pos + delta, size};
    if (!(a & lead)) return std::pair{pos + delta / 2, size};  // neither edge: stay centred
    return std::pair{pos, size};
  };
  const auto [left, width] = stretch(c.anchors, akLeft, akRight, p.Left, p.Width(), dx);
  const auto [top, height] = stretch(c.anchors, akTop, akBottom, p.Top, p.Height(), dy);
  Place(child, left, top, width, height);
}

void ControlAccess::Capture(TWinControl& control) {
  TWinControl::Impl& c = *control.m_impl;
  c.placed = {control.Left(), control.Top(), control.Left() + control.Width(),
              control.Top() + control.Height()};
  const QWidget* parentClient = c.parent ? c.parent->ClientWidget() : nullptr;
  c.parentClientAtPlacement = parentClient ? parentClient->size() : QSize();
}

void ControlAccess::OwnResized(TWinControl& control) {
  const TWinControl::Impl& c = *control.m_impl;
  // A resize event that only reports what SetBounds did (possibly delivered
  // late, when a hidden widget is first shown) needs nothing more.
  if (c.inSetBounds || c.widget->size() == c.lastSize) return;
  control.SetBounds(control.Left(), control.Top(), c.widget->width(), c.widget->height());
}

void ControlAccess::ClientResized(TWinControl& control) {
  if (!control.m_impl->inSetBounds) Realign(control);
}

TWinControl::TWinControl(QWidget* widget, TWinControl* parent)
    : m_impl(std::make_unique<Impl>(this, widget)) {
  widget->installEventFilter(&m_impl->filter);
  m_impl->lastSize = widget->size();
  SetParent(parent);
  ControlAccess::Capture(*this);
}

TWinControl::~TWinControl() {
  Impl& i = *m_impl;
  for (TWinControl* child : i.children) child->m_impl->parent = nullptr;
  if (i.parent) {
    auto& siblings = i.parent->m_impl->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    if (i.align != alNone) {
      if (i.widget) i.widget->hide();
      ControlAccess::Realign(*i.parent);
    }
  }
  delete i.widget.data();
}

QWidget* TWinControl::Widget() const { return m_impl->widget; }
QWidget* TWinControl::ClientWidget() const { return m_impl->client; }

void TWinControl::SetClientWidget(QWidget* client) {
  if (m_impl->client == client) return;
  if (m_impl->client && m_impl->client != m_impl->widget) {
    m_impl->client->removeEventFilter(&m_impl->filter);
  }
  m_impl->client = client;
  if (client != m_impl->widget) client->installEventFilter(&m_impl->filter);
}

void TWinControl::SetParent(TWinControl* parent) {
  Impl& i = *m_impl;
  if (i.parent == parent) return;
  if (i.parent) {
    auto& siblings = i.parent->m_impl->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  TWinControl* oldParent = std::exchange(i.parent, parent);
  // QWidget::setParent hides the widget; the control's own visibility stays.
  i.widget->setParent(parent ? parent->ClientWidget() : nullptr);
  if (parent) {
    parent->m_impl->children.push_back(this);
    i.widget->setVisible(i.visible);
  }
  ControlAccess::Capture(*this);
  if (i.align != alNone) {
    if (oldParent) ControlAccess::Realign(*oldParent);
    if (parent) ControlAccess::Realign(*parent);
  }
}

TWinControl* TWinControl::Parent() const { return m_impl->parent; }

void TWinControl::SetBounds(int left, int top, int width, int height) {
  Impl& i = *m_impl;
  const bool fromLayout = i.placing;
  i.placing = false;
  const bool outer = !std::exchange(i.inSetBounds, true);
  i.widget->move(left, top);
  i.widget->resize(std::max(0, width), std::max(0, height));
  i.lastSize = i.widget->size();
  LayoutClient();
  ControlAccess::Realign(*this);
  if (outer) i.inSetBounds = false;
  if (!fromLayout) {
    ControlAccess::Capture(*this);
    if (i.align != alNone && i.parent) ControlAccess::Realign(*i.parent);
  }
}

int TWinControl::Left() const { return m_impl->widget->x(); }
int TWinControl::Top() const { return m_impl->widget->y(); }
int TWinControl::Width() const { return m_impl->widget->width(); }
int TWinControl::Height() const { return m_impl->widget->height(); }
int TWinControl::ClientWidth() const { return m_impl->client->width(); }
int TWinControl::ClientHeight() const { return m_impl->client->height(); }

void TWinControl::SetAnchors(TAnchors anchors) {
  m_impl->anchors = anchors;
  ControlAccess::Capture(*this);
}

TAnchors TWinControl::Anchors() const { return m_impl->anchors; }

void TWinControl::SetAlign(TAlign align) {
  m_impl->align = align;
  if (m_impl->parent) ControlAccess::Realign(*m_impl->parent);
}

TAlign TWinControl::Align() const { return m_impl->align; }

bool TWinControl::Visible() const {
  return m_impl->widget->isWindow() ? m_impl->widget->isVisible() : m_impl->visible;
}

void TWinControl::SetVisible(bool visible) {
  Impl& i = *m_impl;
  i.visible = visible;
  i.widget->setVisible(visible);
  if (i.align != alNone && i.parent) ControlAccess::Realign(*i.parent);
}

bool TWinControl::Enabled() const { return !m_impl->widget->testAttribute(Qt::WA_ForceDisabled); }
void TWinControl::SetEnabled(bool enabled) { m_impl->widget->setEnabled(enabled); }

void TWinControl::BringToFront() {
  m_impl->widget->raise();
  if (m_impl->widget->isWindow()) m_impl->widget->activateWindow();
}

void TWinControl::SetFocus() { m_impl->widget->setFocus(Qt::OtherFocusReason); }
bool TWinControl::Focused() const { return m_impl->widget->hasFocus(); }

void TWinControl::SetName(const std::string& name) {
  m_impl->widget->setObjectName(QString::fromStdString(name));
}

std::string TWinControl::Name() const { return m_impl->widget->objectName().toStdString(); }

void TWinControl::SetHint(const std::string& hint) {
  m_impl->widget->setToolTip(QString::fromStdString(hint));
  m_impl->widget->setAccessibleDescription(QString::fromStdString(hint));
}

std::string TWinControl::Hint() const { return m_impl->widget->toolTip().toStdString(); }

void TWinControl::SetAccessibleName(const std::string& name) {
  m_impl->accessibleNameExplicit = true;
  m_impl->widget->setAccessibleName(QString::fromStdString(name));
}

void TWinControl::SetCaptionAccessibleName(const std::string& caption) {
  if (!m_impl->accessibleNameExplicit) {
    m_impl->widget->setAccessibleName(QString::fromStdString(PlainCaption(caption)));
  }
}

std::string TWinControl::AccessibleName() const {
  return m_impl->widget->accessibleName().toStdString();
}

void TWinControl::SetCursor(TCursor cursor) {
  m_impl->cursor = cursor;
  ApplyCursor(m_impl->widget, cursor);
}

TCursor TWinControl::Cursor() const { return m_impl->cursor; }

void TWinControl::SetFontName(const std::string& name) {
  m_impl->ownFont.setFamily(QString::fromStdString(name));
  m_impl->widget->setFont(m_impl->ownFont);
}

std::string TWinControl::FontName() const { return m_impl->widget->font().family().toStdString(); }

void TWinControl::SetFontHeight(int height) {
  m_impl->ownFont.setPixelSize(std::max(1, std::abs(height)));
  m_impl->widget->setFont(m_impl->ownFont);
}

int TWinControl::FontHeight() const { return -QFontInfo(m_impl->widget->font()).pixelSize(); }

void TWinControl::SetFontBold(bool bold) {
  m_impl->ownFont.setBold(bold);
  m_impl->widget->setFont(m_impl->ownFont);
}

bool TWinControl::FontBold() const { return m_impl->widget->font().bold(); }

void TWinControl::SetFontColor(TColor color) {
  QPalette palette = m_impl->widget->palette();
  const QColor text = color == clDefault ? QApplication::palette().color(QPalette::WindowText) : ToQColor(color);
  palette.setColor(QPalette::WindowText, text);
  palette.setColor(QPalette::ButtonText, text);
  m_impl->widget->setPalette(palette);
}

}  // namespace kurvex
